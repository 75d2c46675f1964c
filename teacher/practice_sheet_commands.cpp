// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/practice_sheet_commands.h"

#include "teacher/practice_sheet_document.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace teacher {

PracticeSheetCommands::PracticeSheetCommands(const QString& toolTip, QString nothing,
                                             SheetMaker make, QWidget* parent)
    : QWidget(parent), nothing_(std::move(nothing)), make_(std::move(make))
{
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    save_ = new QPushButton(QStringLiteral("Лист для тренировки…"));
    save_->setObjectName(QStringLiteral("practiceSheet"));
    save_->setToolTip(toolTip + QStringLiteral(" (PDF)"));
    print_ = new QPushButton(QStringLiteral("Напечатать лист…"));
    print_->setObjectName(QStringLiteral("practicePrint"));
    print_->setToolTip(toolTip + QStringLiteral(": напечатать после просмотра"));
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("practiceNote"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    line->addWidget(save_);
    line->addWidget(print_);
    line->addWidget(note_, 1);
    connect(save_, &QPushButton::clicked, this, [this] {
        const std::optional<PupilSheet> made = make_();
        if (!made) {
            note_->setText(nothing_);
            return;
        }
        // A file name cannot hold a slash, which a name may.
        QString offered = QStringLiteral("Лист для тренировки — %1.pdf").arg(made->Pupil);
        offered.replace(QLatin1Char('/'), QLatin1Char('-'));
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить лист для тренировки"),
                                         offered, QStringLiteral("PDF (*.pdf)"));
        if (!path.isEmpty()) {
            Write(*made, path);
        }
    });
    connect(print_, &QPushButton::clicked, this, [this] { Print(); });
}

QString PracticeSheetCommands::Note() const
{
    return note_->text();
}

void PracticeSheetCommands::SetAvailable(bool available)
{
    save_->setEnabled(available);
    print_->setEnabled(available);
    note_->clear();
}

bool PracticeSheetCommands::Save(const QString& path)
{
    const std::optional<PupilSheet> made = make_();
    if (!made) {
        note_->setText(nothing_);
        return false;
    }
    return Write(*made, path);
}

bool PracticeSheetCommands::Write(const PupilSheet& made, const QString& path)
{
    if (!WritePracticeSheetPdf(made.Pupil, made.Sheet, path)) {
        note_->setText(QStringLiteral("Не удалось записать файл %1.").arg(path));
        return false;
    }
    note_->setText(QStringLiteral("Лист сохранён: %1").arg(path));
    return true;
}

bool PracticeSheetCommands::Print()
{
    const std::optional<PupilSheet> made = make_();
    if (!made) {
        note_->setText(nothing_);
        return false;
    }
    note_->clear();
    emit PrintWanted(made->Pupil, made->Sheet);
    return true;
}

} // namespace teacher
