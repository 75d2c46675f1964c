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

namespace teacher {

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
    form->addRow(QStringLiteral("Оц&енка за:"), choice_);
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
        emit Shown();
        return;
    }
    try {
        const auto classes = journal::LoadClasses(connection_, false);
        const auto k = std::find_if(classes.begin(), classes.end(),
                                    [&](const journal::SchoolClass& c) { return c.Id == classId; });
        if (k == classes.end()) {
            emit Shown();
            return;
        }
        journal::AttemptFilter filter = filter_;
        filter.ClassName = k->Name;
        results_ = journal::SummariseClass(journal::LoadPupils(connection_, classId),
                                           journal::LoadAttempts(connection_, filter),
                                           journal::MarkChoice(choice_->currentData().toInt()));
    } catch (const journal::JournalError& error) {
        summary_->setText(QString::fromUtf8(error.what()));
        emit Shown();
        return;
    }
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
    shownClass_ = class_->currentText();
    emit Shown();
}

} // namespace teacher
