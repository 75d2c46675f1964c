// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/class_view.h"

#include "journal/attempt_store.h"
#include "journal/csv_export.h"
#include "journal/journal_error.h"
#include "journal/roster.h"
#include "teacher/attempt_texts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace teacher {

namespace {

// The class's name as stored, which the attempts carry, beside its id in the list of classes.
constexpr int kClassNameRole = Qt::UserRole + 1;

} // namespace

ClassView::ClassView(const journal::Connection& connection, QWidget* parent)
    : QWidget(parent), connection_(connection)
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    class_ = new QComboBox;
    class_->setObjectName(QStringLiteral("classChoice"));
    class_->setAccessibleName(QStringLiteral("Класс"));
    form->addRow(QStringLiteral("К&ласс:"), class_);
    choice_ = new QComboBox;
    choice_->setObjectName(QStringLiteral("markChoice"));
    choice_->setAccessibleName(QStringLiteral("Какая попытка даёт оценку"));
    for (const journal::MarkChoice choice :
         {journal::MarkChoice::Last, journal::MarkChoice::Best}) {
        choice_->addItem(ChoiceWords(choice), int(choice));
    }
    form->addRow(QStringLiteral("Отм&етка за:"), choice_);
    layout->addLayout(form);
    table_ = new QTableWidget(0, 4);
    table_->setObjectName(QStringLiteral("classTable"));
    table_->setAccessibleName(QStringLiteral("Ученики класса"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Ученик"), QStringLiteral("Отметка"),
                                       QStringLiteral("Время"), QStringLiteral("Попыток")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("classSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(summary_);
    auto* save = new QPushButton(QStringLiteral("Сохранить в CSV…"));
    save->setObjectName(QStringLiteral("classCsv"));
    layout->addWidget(save, 0, Qt::AlignLeft);
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Сохранить класс в CSV"), QStringLiteral("класс.csv"),
            QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) {
            ExportCsv(path);
        }
    });

    connect(class_, &QComboBox::currentIndexChanged, this, [this] { ShowClass(); });
    connect(choice_, &QComboBox::currentIndexChanged, this, [this] { ShowClass(); });
}

void ClassView::SetFilter(const journal::AttemptFilter& filter)
{
    filter_ = {filter.From, filter.To, {}, {}};
    ShowClass();
}

void ClassView::Refresh()
{
    const QString chosen = class_->currentData().toString();
    const QSignalBlocker quiet(class_);
    class_->clear();
    try {
        for (const journal::SchoolClass& k : journal::LoadClasses(connection_, false)) {
            class_->addItem(QStringLiteral("%1 (%2)").arg(ShownName(k.Name), k.SchoolYear), k.Id);
            class_->setItemData(class_->count() - 1, k.Name, kClassNameRole);
        }
    } catch (const journal::JournalError& error) {
        summary_->setText(QString::fromUtf8(error.what()));
        return;
    }
    const int again = class_->findData(chosen);
    class_->setCurrentIndex(again >= 0 ? again : 0);
    ShowClass();
}

bool ClassView::ExportCsv(const QString& path)
{
    if (Reading()) {
        // The lines shown are not yet the chosen class's: nothing is written.
        summary_->setText(QStringLiteral("Дождитесь, пока прочитаются результаты класса."));
        return false;
    }
    QSaveFile file(path);
    try {
        if (!file.open(QIODevice::WriteOnly)) {
            throw journal::JournalError(QStringLiteral("Не удалось создать файл «%1»: %2")
                                            .arg(path, file.errorString())
                                            .toStdString());
        }
        journal::WriteClassCsv(results_, file);
        if (!file.commit()) {
            throw journal::JournalError(QStringLiteral("Не удалось записать файл «%1»: %2")
                                            .arg(path, file.errorString())
                                            .toStdString());
        }
    } catch (const journal::JournalError& error) {
        summary_->setText(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}

QString ClassView::SummaryText() const
{
    return summary_->text();
}

std::optional<ClassSheet> ClassView::Sheet() const
{
    if (shownClass_.isEmpty()) {
        return std::nullopt;
    }
    return ClassSheet{shownClass_, filter_, journal::MarkChoice(choice_->currentData().toInt()),
                      results_};
}

void ClassView::ShowClass()
{
    table_->setRowCount(0);
    results_ = {};
    shownClass_.clear();
    const QString classId = class_->currentData().toString();
    if (classId.isEmpty()) {
        summary_->setText(QStringLiteral("В журнале нет классов: добавьте их в списке классов."));
        // A read still under way is of a class no longer there: it is dropped.
        reads_.DropAll();
        emit Shown();
        return;
    }
    summary_->setText(QStringLiteral("Читаю результаты класса…"));
    // Nothing is shown until the read is in: nothing to save or print meanwhile.
    emit Shown();
    journal::AttemptFilter filter = filter_;
    filter.ClassName = class_->currentData(kClassNameRole).toString();
    // An attempt without a class (its account not on the roster) belongs to the pupil of the
    // same name: SummariseClass matches it.
    filter.AlsoWithoutClass = true;
    const auto choice = journal::MarkChoice(choice_->currentData().toInt());
    auto read = std::make_shared<journal::ClassResults>();
    reads_.Start(
        this, connection_,
        [read, classId, filter, choice](const journal::Connection& own) {
            *read = journal::SummariseClass(journal::LoadPupils(own, classId),
                                            journal::LoadAttempts(own, filter), choice);
        },
        [this, read, shown = class_->currentText()](const QString& problem) {
            if (problem.isEmpty()) {
                Show(*read, shown);
            } else {
                summary_->setText(problem);
                emit Shown();
            }
        });
}

void ClassView::Show(const journal::ClassResults& results, const QString& shownClass)
{
    results_ = results;
    table_->setRowCount(static_cast<int>(results_.Lines.size()));
    int row = 0;
    for (const journal::PupilResult& line : results_.Lines) {
        const QStringList cells = ClassLineCells(line);
        for (int column = 0; column < cells.size(); ++column) {
            table_->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        }
        ++row;
    }
    table_->resizeColumnsToContents();
    summary_->setText(ClassSummaryText(results_));
    shownClass_ = shownClass;
    emit Shown();
}

} // namespace teacher
