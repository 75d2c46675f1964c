// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistakes_view.h"

#include "core/random_source.h"
#include "engine/practice_sheet.h"
#include "journal/journal_error.h"
#include "teacher/attempt_list_model.h"
#include "teacher/attempt_texts.h"
#include "teacher/mistake_data.h"
#include "teacher/mistake_tables.h"
#include "teacher/practice_sheet_commands.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <memory>
#include <utility>

namespace teacher {

namespace {

// The chart names the commonest mistakes only; the table and the text name every one.
constexpr int kMistakesCharted = 8;

QTableWidget* NewTable(const QString& name, const QStringList& headings, int stretched)
{
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every column fits its contents except `stretched`, which takes the rest of the width.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(stretched, QHeaderView::Stretch);
    return table;
}

// As tall as its rows: the pane scrolls as a whole, so no table needs a scroll bar of its own.
void FitHeight(QTableWidget* table)
{
    table->resizeRowsToContents();
    int height = table->horizontalHeader()->height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) {
        height += table->rowHeight(row);
    }
    if (table->horizontalScrollBar()->isVisible()) {
        height += table->horizontalScrollBar()->height();
    }
    table->setFixedHeight(height);
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    // A narrow pane elides the text; the tip holds all of it.
    item->setToolTip(text);
    return item;
}

// The table's rows, cell by cell; a number column's cells set to the right and without a tip.
void Fill(QTableWidget* widget, const MistakeTable& table)
{
    widget->setRowCount(static_cast<int>(table.Rows.size()));
    for (int row = 0; row < table.Rows.size(); ++row) {
        const QStringList& cells = table.Rows.at(row);
        for (int column = 0; column < cells.size(); ++column) {
            if (table.NumberColumns.contains(column)) {
                auto* item = new QTableWidgetItem(cells.at(column));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                widget->setItem(row, column, item);
            } else {
                widget->setItem(row, column, Cell(cells.at(column)));
            }
        }
    }
    FitHeight(widget);
}

void ShowChart(QChart* chart, const std::vector<engine::MistakeCount>& mistakes)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const int shown = std::min(static_cast<int>(mistakes.size()), kMistakesCharted);
    auto* set = new QBarSet(QStringLiteral("Учеников"));
    QStringList categories;
    long long most = 1;
    // A horizontal chart lists its categories from the bottom up: the largest goes in last.
    for (int i = shown - 1; i >= 0; --i) {
        const engine::MistakeCount& m = mistakes.at(static_cast<std::size_t>(i));
        *set << static_cast<qreal>(m.Pupils);
        categories << QString::fromStdString(engine::MistakeWords(m.Which));
        most = std::max(most, m.Pupils);
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    chart->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(categories);
    chart->addAxis(names, Qt::AlignLeft);
    series->attachAxis(names);
    auto* counts = new QValueAxis;
    counts->setRange(0, static_cast<qreal>(most));
    counts->setLabelFormat(QStringLiteral("%d"));
    counts->setTickCount(static_cast<int>(std::min<long long>(most, 5)) + 1);
    counts->setTitleText(QStringLiteral("учеников"));
    chart->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
}

} // namespace

MistakesView::MistakesView(journal::Connection connection, const AttemptListModel& list,
                           QWidget* parent)
    : QWidget(parent), connection_(std::move(connection)), list_(list)
{
    setAccessibleName(QStringLiteral("Типичные ошибки"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget;
    scroll->setWidget(content);
    auto* column = new QVBoxLayout(content);

    pupilHeading_ = new QLabel;
    pupilHeading_->setObjectName(QStringLiteral("pupilMistakesHeading"));
    pupilHeading_->setWordWrap(true);
    pupilHeading_->setTextFormat(Qt::PlainText);
    pupilHeading_->hide();
    column->addWidget(pupilHeading_);
    pupil_ =
        NewTable(QStringLiteral("Ошибки ученика по попыткам"), PupilMistakeTable({}).Headings, 1);
    pupil_->setObjectName(QStringLiteral("pupilMistakeTable"));
    pupil_->hide();
    column->addWidget(pupil_);
    practice_ = new PracticeSheetCommands(
        QStringLiteral("Упражнения на ошибки всех показанных попыток ученика, сначала на те, что "
                       "повторяются, с ответами для учителя на отдельной странице"),
        QStringLiteral("В попытках ученика нет ошибок, на которые есть упражнения."),
        [this]() -> std::optional<PupilSheet> {
            if (!pupilShown_ || !engine::HasMistakesToPractise(pupilShown_->Judged)) {
                return std::nullopt;
            }
            core::SystemRandomSource random;
            return PupilSheet{ShownName(pupilShown_->Pupil),
                              engine::MakeHistoryPracticeSheet(pupilShown_->Judged, random)};
        });
    practice_->setObjectName(QStringLiteral("pupilPracticeSheet"));
    practice_->hide();
    column->addWidget(practice_);

    heading_ = new QLabel;
    heading_->setObjectName(QStringLiteral("mistakesHeading"));
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    column->addWidget(heading_);

    mistakes_ = NewTable(QStringLiteral("Ошибки класса"), ClassMistakeTable({}).Headings, 0);
    mistakes_->setObjectName(QStringLiteral("mistakeTable"));
    column->addWidget(mistakes_);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Сколько учеников сделали каждую ошибку"));
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart_ = new QChartView(chart);
    chart_->setObjectName(QStringLiteral("mistakeChart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(260, 300);
    chart_->setAccessibleName(chart->title());
    chart_->setFocusPolicy(Qt::TabFocus);
    column->addWidget(chart_);

    rows_ = NewTable(QStringLiteral("Задания"), ExerciseRowTable({}).Headings, 3);
    rows_->setObjectName(QStringLiteral("rowTable"));
    column->addWidget(rows_);

    text_ = new QLabel;
    text_->setObjectName(QStringLiteral("mistakesText"));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setAccessibleName(QStringLiteral("Типичные ошибки, текстом"));
    column->addWidget(text_);
    column->addStretch(1);

    connect(&list_, &AttemptListModel::Reloaded, this, [this] {
        stale_ = true;
        if (isVisible()) {
            Update();
        }
    });
}

QString MistakesView::Text() const
{
    return text_->text();
}

void MistakesView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_) {
        Update();
    }
}

void MistakesView::Update()
{
    stale_ = false;
    heading_->setText(QStringLiteral("Считаю ошибки в показанных попытках…"));
    // A pupil's section from the previous count may not belong to the new attempts.
    ShowPupil(std::nullopt);

    auto counted = std::make_shared<ShownMistakes>();
    reads_.Start(
        this, connection_,
        [counted, filter = list_.Filter()](const journal::Connection& own) {
            *counted = CountMistakes(own, filter);
        },
        [this, counted](const QString& problem) {
            Show(*counted);
            if (!problem.isEmpty()) {
                heading_->setText(problem);
            }
        });
}

void MistakesView::ShowPupil(const std::optional<PupilMistakes>& pupil)
{
    pupilShown_ = pupil;
    pupilHeading_->setVisible(pupil.has_value());
    practice_->setVisible(pupil.has_value());
    if (!pupil) {
        pupil_->hide();
        pupil_->setRowCount(0);
        practice_->SetAvailable(false);
        return;
    }
    practice_->SetAvailable(engine::HasMistakesToPractise(pupil->Judged));
    pupilHeading_->setText(PupilHabitsHeading(pupil->Pupil, pupil->Habits));
    const teacher::MistakeTable table = PupilMistakeTable(*pupil);
    // A pupil without mistakes gets the heading's «ошибок нет» and no empty table.
    pupil_->setVisible(!table.Rows.isEmpty());
    Fill(pupil_, table);
}

void MistakesView::Show(const ShownMistakes& shown)
{
    const engine::MistakeTally& tally = shown.Class;
    ShowPupil(shown.OnePupil);
    heading_->setText(ClassMistakesHeading(tally));
    Fill(mistakes_, ClassMistakeTable(tally));
    Fill(rows_, ExerciseRowTable(tally));
    ShowChart(chart_->chart(), tally.Mistakes());
    QString text = MistakeTallyText(tally);
    if (shown.OnePupil) {
        text = PupilHabitsText(shown.OnePupil->Pupil, shown.OnePupil->Habits) +
               QStringLiteral("\n\n") + text;
    }
    text_->setText(text);
    text_->setAccessibleDescription(text);
    chart_->setAccessibleDescription(text);
}

} // namespace teacher
