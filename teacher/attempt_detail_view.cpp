// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_detail_view.h"

#include "core/random_source.h"
#include "engine/practice_sheet.h"
#include "journal/attempt_check.h"
#include "teacher/attempt_texts.h"
#include "teacher/fraction_view.h"
#include "teacher/practice_sheet_commands.h"
#include "teacher/teacher_words.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace teacher {

namespace {

QString RowName(const char* part, int row)
{
    return QStringLiteral("%1%2").arg(QLatin1String(part)).arg(row);
}

// The font made larger by `factor`, whether it was set in points or (as the program's look
// sets it) in pixels.
QFont Enlarged(QFont font, qreal factor)
{
    if (font.pixelSize() > 0) {
        font.setPixelSize(qRound(font.pixelSize() * factor));
    } else {
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

QLabel* HeaderLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

AttemptDetailView::AttemptDetailView(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(words::AttemptName());
    pages_ = new QStackedLayout(this);

    nothing_ = new QLabel;
    nothing_->setAlignment(Qt::AlignCenter);
    nothing_->setWordWrap(true);
    pages_->addWidget(nothing_);

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    heading_ = new QLabel;
    heading_->setObjectName(QStringLiteral("heading"));
    QFont big = Enlarged(heading_->font(), 1.3);
    big.setBold(true);
    heading_->setFont(big);
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    column->addWidget(heading_);
    facts_ = new QLabel;
    facts_->setObjectName(QStringLiteral("facts"));
    facts_->setWordWrap(true);
    facts_->setTextFormat(Qt::PlainText);
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(facts_);
    practice_ = new PracticeSheetCommands(
        QStringLiteral("Упражнения на ошибки этой попытки, с ответами для учителя на отдельной "
                       "странице"),
        QStringLiteral("В этой попытке нет ошибок, на которые есть упражнения."),
        [this]() -> std::optional<PupilSheet> {
            if (!shown_) {
                return std::nullopt;
            }
            const engine::AttemptRecord judged =
                engine::AsJudged(shown_->Record, journal::CheckAttempt(*shown_));
            if (!engine::HasMistakesToPractise(judged)) {
                return std::nullopt;
            }
            core::SystemRandomSource random;
            return PupilSheet{ShownName(shown_->Pupil), engine::MakePracticeSheet(judged, random)};
        });
    column->addWidget(practice_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const QStringList headings = words::AttemptHeadings();
    for (int c = 0; c < headings.size(); ++c) {
        grid->addWidget(HeaderLabel(headings.at(c)), 0, c);
    }
    const QFont fractionFont = Enlarged(font(), 1.4);
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        const int line = row + 1;
        auto* number = new QLabel(QString::number(line));
        number->setFont(fractionFont);
        grid->addWidget(number, line, 0);
        const auto addFraction = [&](const char* part, int gridColumn) {
            auto* view = new FractionView;
            view->setObjectName(RowName(part, row));
            view->setFont(fractionFont);
            grid->addWidget(view, line, gridColumn, Qt::AlignLeft | Qt::AlignVCenter);
        };
        addFraction("first", 1);
        auto* sign = new QLabel;
        sign->setObjectName(RowName("sign", row));
        sign->setFont(fractionFont);
        grid->addWidget(sign, line, 2);
        addFraction("second", 3);
        auto* equals = new QLabel(QStringLiteral("="));
        equals->setFont(fractionFont);
        grid->addWidget(equals, line, 4);
        addFraction("answer", 5);
        addFraction("key", 6);
        auto* verdict = new QLabel;
        verdict->setTextFormat(Qt::PlainText);
        verdict->setObjectName(RowName("verdict", row));
        verdict->setFont(fractionFont);
        grid->addWidget(verdict, line, 7);
        auto* mistake = new QLabel;
        mistake->setObjectName(RowName("mistake", row));
        mistake->setWordWrap(true);
        mistake->setTextFormat(Qt::PlainText);
        grid->addWidget(mistake, line, 8);
    }
    grid->setColumnStretch(8, 1);
    column->addLayout(grid);
    column->addStretch(1);
    pages_->addWidget(page);

    ShowNothing(words::ChooseAnAttempt());
}

FractionView* AttemptDetailView::First(int row) const
{
    return findChild<FractionView*>(RowName("first", row));
}
FractionView* AttemptDetailView::Second(int row) const
{
    return findChild<FractionView*>(RowName("second", row));
}
FractionView* AttemptDetailView::Answer(int row) const
{
    return findChild<FractionView*>(RowName("answer", row));
}
FractionView* AttemptDetailView::Key(int row) const
{
    return findChild<FractionView*>(RowName("key", row));
}
QLabel* AttemptDetailView::Verdict(int row) const
{
    return findChild<QLabel*>(RowName("verdict", row));
}
QLabel* AttemptDetailView::MistakeLabel(int row) const
{
    return findChild<QLabel*>(RowName("mistake", row));
}

QPushButton* AttemptDetailView::PracticeButton() const
{
    return practice_->SaveButton();
}

bool AttemptDetailView::SavePracticeSheet(const QString& path)
{
    return practice_->Save(path);
}

void AttemptDetailView::ShowNothing(const QString& why)
{
    shown_.reset();
    nothing_->setText(why);
    nothing_->setAccessibleName(why);
    pages_->setCurrentIndex(0);
}

void AttemptDetailView::ShowAttempt(const journal::StoredAttempt& attempt)
{
    shown_ = attempt;
    const engine::AttemptRecord& record = attempt.Record;
    // The key and the verdicts shown are the ones the answers earn; what the record says of them
    // is only compared, in the facts' «Проверка» line.
    const engine::AttemptReview review = journal::CheckAttempt(attempt);
    heading_->setText(
        QStringLiteral("%1, %2").arg(ShownName(attempt.Pupil), DateTimeText(attempt.StartedAt)));
    heading_->setAccessibleName(heading_->text());

    // What the answers earn, not what the record says, decides which rows have a mistake.
    const engine::AttemptRecord judged = engine::AsJudged(attempt.Record, review);
    practice_->SetAvailable(engine::HasMistakesToPractise(judged));

    const QStringList facts = AttemptFacts(attempt, review);
    facts_->setText(facts.join(QLatin1Char('\n')));
    facts_->setAccessibleName(facts.join(QStringLiteral("; ")));

    for (int row = 0; row < engine::kAttemptRows; ++row) {
        const engine::RowRecord& r = record.Rows.at(static_cast<std::size_t>(row));
        const std::optional<bool>& right = review.Right.at(static_cast<std::size_t>(row));
        const std::optional<engine::Fraction>& key = review.Keys.at(static_cast<std::size_t>(row));
        const QString task = words::TaskName(row + 1);
        const QColor black = palette().color(QPalette::WindowText);
        const QColor verdictColour = !right ? black : (*right ? RightColour() : WrongColour());
        const StackedFraction keyShown = key ? StackedFrom(*key) : StackedFraction{};
        First(row)->Show(StackedFrom(r.First), black, words::FirstNumberName(task));
        Second(row)->Show(StackedFrom(r.Second), black, words::SecondNumberName(task));
        findChild<QLabel*>(RowName("sign", row))->setText(OperationSign(r.Op));
        findChild<QLabel*>(RowName("sign", row))->setAccessibleName(OperationWords(r.Op));
        Answer(row)->Show(StackedFrom(r.Typed), verdictColour, words::AnswerName(task));
        Key(row)->Show(keyShown, black, words::KeyName(task));

        QLabel* verdict = Verdict(row);
        verdict->setText(VerdictText(right));
        QPalette colours = verdict->palette();
        colours.setColor(QPalette::WindowText, verdictColour);
        verdict->setPalette(colours);
        const QString mistake = RowMistakeText(judged.Rows.at(static_cast<std::size_t>(row)));
        MistakeLabel(row)->setText(mistake);
        MistakeLabel(row)->setAccessibleName(
            mistake.isEmpty() ? QString() : task + QStringLiteral(": ") + mistake);
        QString spoken =
            words::RowSpoken(task, SpokenText(StackedFrom(r.First)), OperationWords(r.Op),
                             SpokenText(StackedFrom(r.Second)), SpokenText(StackedFrom(r.Typed)),
                             SpokenText(keyShown), VerdictText(right));
        if (!mistake.isEmpty()) {
            spoken += QStringLiteral("; ") + mistake;
        }
        verdict->setAccessibleName(spoken);
    }
    pages_->setCurrentIndex(1);
}

} // namespace teacher
