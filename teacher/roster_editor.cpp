// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/roster_editor.h"

#include "journal/journal_error.h"
#include "journal/roster.h"
#include "teacher/attempt_texts.h"
#include "teacher/teacher_words.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teacher {

namespace {

QPushButton* Button(const QString& text, const char* name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

RosterEditor::RosterEditor(const journal::Connection& connection, QWidget* parent)
    : QWidget(parent), connection_(connection)
{
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* classesLabel = new QLabel(words::RosterClassesLabel());
    classes_ = new QListWidget;
    classes_->setObjectName(QStringLiteral("rosterClasses"));
    classes_->setAccessibleName(words::RosterClassesName());
    classesLabel->setBuddy(classes_);
    left->addWidget(classesLabel);
    left->addWidget(classes_, 1);
    QPushButton* addClass = Button(words::AddClassButton(), "addClass");
    QPushButton* rename = Button(words::RenameClassButton(), "renameClass");
    QPushButton* archive = Button(words::ArchiveClassButton(), "archiveClass");
    QPushButton* classTime = Button(words::ClassTimeButton(), "classMinutes");
    for (QPushButton* b : {addClass, rename, classTime, archive}) {
        left->addWidget(b);
    }
    panes->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* pupilsLabel = new QLabel(words::RosterPupilsLabel());
    pupils_ = new QTableWidget(0, 4);
    pupils_->setObjectName(QStringLiteral("rosterPupils"));
    pupils_->setAccessibleName(words::RosterPupilsName());
    pupils_->setHorizontalHeaderLabels(words::RosterHeadings());
    pupils_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pupils_->setSelectionBehavior(QAbstractItemView::SelectRows);
    pupils_->setSelectionMode(QAbstractItemView::SingleSelection);
    pupils_->setTabKeyNavigation(false);
    pupils_->verticalHeader()->setVisible(false);
    pupils_->horizontalHeader()->setStretchLastSection(true);
    pupilsLabel->setBuddy(pupils_);
    right->addWidget(pupilsLabel);
    right->addWidget(pupils_, 1);
    auto* pupilButtons = new QHBoxLayout;
    QPushButton* addPupil = Button(words::AddPupilButton(), "addPupil");
    QPushButton* edit = Button(words::EditPupilButton(), "editPupil");
    QPushButton* move = Button(words::MovePupilButton(), "movePupil");
    QPushButton* remove = Button(words::RemovePupilButton(), "removePupil");
    QPushButton* paste = Button(words::PasteListButton(), "pasteList");
    for (QPushButton* b : {addPupil, edit, move, remove, paste}) {
        pupilButtons->addWidget(b);
    }
    right->addLayout(pupilButtons);
    panes->addLayout(right, 2);
    layout->addLayout(panes, 1);

    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("rosterMessage"));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    layout->addWidget(message_);

    connect(classes_, &QListWidget::currentRowChanged, this, [this] { ShowPupils(); });
    connect(addClass, &QPushButton::clicked, this, [this] { AskAndAddClass(); });
    connect(rename, &QPushButton::clicked, this, [this] { AskAndRename(); });
    connect(archive, &QPushButton::clicked, this, [this] { ToggleArchived(); });
    connect(addPupil, &QPushButton::clicked, this, [this] { AskAndAddPupil(); });
    connect(move, &QPushButton::clicked, this, [this] { AskAndMove(); });
    connect(edit, &QPushButton::clicked, this, [this] { AskAndEdit(); });
    connect(classTime, &QPushButton::clicked, this, [this] { AskAndSetClassMinutes(); });
    connect(remove, &QPushButton::clicked, this, [this] { AskAndRemove(); });
    connect(paste, &QPushButton::clicked, this, [this] { OpenPasteDialog(); });
}

QString RosterEditor::Message() const
{
    return message_->text();
}

QString RosterEditor::ChosenClassId() const
{
    const QListWidgetItem* item = classes_->currentItem();
    return item != nullptr ? item->data(Qt::UserRole).toString() : QString();
}

void RosterEditor::Tell(const QString& text)
{
    message_->setText(text);
}

void RosterEditor::Refresh()
{
    const QString chosen = ChosenClassId();
    const QSignalBlocker quiet(classes_);
    classes_->clear();
    try {
        for (const journal::SchoolClass& k : journal::LoadClasses(connection_, true)) {
            QString text = QStringLiteral("%1 (%2)").arg(ShownName(k.Name), k.SchoolYear);
            if (k.Archived) {
                text += QStringLiteral(", в архиве");
            }
            auto* item = new QListWidgetItem(text, classes_);
            item->setData(Qt::UserRole, k.Id);
            item->setData(Qt::UserRole + 1, k.Name);
            item->setData(Qt::UserRole + 2, k.Archived);
            if (k.Id == chosen) {
                classes_->setCurrentItem(item);
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
    }
    if (classes_->currentRow() < 0 && classes_->count() > 0) {
        classes_->setCurrentRow(0);
    }
    ShowPupils();
}

void RosterEditor::ShowPupils()
{
    pupils_->setRowCount(0);
    const QString classId = ChosenClassId();
    if (classId.isEmpty()) {
        return;
    }
    try {
        const auto pupils = journal::LoadPupils(connection_, classId);
        pupils_->setRowCount(static_cast<int>(pupils.size()));
        int row = 0;
        for (const journal::RosterPupil& p : pupils) {
            const QStringList cells = {ShownName(p.Surname), ShownName(p.FirstName),
                                       p.Logins.join(u' '),
                                       p.Minutes ? QString::number(*p.Minutes) : QString()};
            for (int column = 0; column < cells.size(); ++column) {
                auto* item = new QTableWidgetItem(cells.at(column));
                item->setData(Qt::UserRole, p.Id);
                pupils_->setItem(row, column, item);
            }
            ++row;
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
    }
}

bool RosterEditor::AddClass(const QString& name, const QString& schoolYear)
{
    try {
        const journal::SchoolClass added =
            journal::AddClass(connection_, {{}, name, schoolYear, false, {}});
        Refresh();
        for (int row = 0; row < classes_->count(); ++row) {
            if (classes_->item(row)->data(Qt::UserRole).toString() == added.Id) {
                classes_->setCurrentRow(row);
            }
        }
        Tell(QStringLiteral("Класс «%1» добавлен.").arg(ShownName(added.Name)));
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    emit RosterChanged();
    return true;
}

bool RosterEditor::RenameClass(const QString& name)
{
    const QString id = ChosenClassId();
    try {
        for (journal::SchoolClass k : journal::LoadClasses(connection_, true)) {
            if (k.Id == id) {
                k.Name = name.trimmed();
                journal::UpdateClass(connection_, k);
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    Refresh();
    emit RosterChanged();
    return true;
}

bool RosterEditor::ToggleArchived()
{
    const QString id = ChosenClassId();
    try {
        for (journal::SchoolClass k : journal::LoadClasses(connection_, true)) {
            if (k.Id == id) {
                k.Archived = !k.Archived;
                journal::UpdateClass(connection_, k);
                Tell(k.Archived
                         ? QStringLiteral("Класс «%1» в архиве: его нет в списке для "
                                          "учеников, результаты остаются.")
                               .arg(ShownName(k.Name))
                         : QStringLiteral("Класс «%1» снова в работе.").arg(ShownName(k.Name)));
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    Refresh();
    emit RosterChanged();
    return true;
}

bool RosterEditor::SetClassMinutes(std::optional<int> minutes)
{
    const QString id = ChosenClassId();
    try {
        for (journal::SchoolClass k : journal::LoadClasses(connection_, true)) {
            if (k.Id == id) {
                k.Minutes = minutes;
                journal::UpdateClass(connection_, k);
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    Tell(minutes ? QStringLiteral("У класса %1 минут на тест.").arg(*minutes)
                 : QStringLiteral("У класса обычные 10 минут на тест."));
    emit RosterChanged();
    return true;
}

bool RosterEditor::EditChosenPupil(const QString& surname, const QString& firstName,
                                   const QString& logins, std::optional<int> minutes)
{
    const QTableWidgetItem* item = pupils_->currentItem();
    if (item == nullptr) {
        Tell(QStringLiteral("Выберите ученика в списке."));
        return false;
    }
    const QString id = item->data(Qt::UserRole).toString();
    try {
        for (journal::RosterPupil p : journal::LoadPupils(connection_, ChosenClassId())) {
            if (p.Id == id) {
                p.Surname = surname;
                p.FirstName = firstName;
                p.Logins = logins.split(u' ', Qt::SkipEmptyParts);
                p.Minutes = minutes;
                journal::UpdatePupil(connection_, p);
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    ShowPupils();
    emit RosterChanged();
    return true;
}

bool RosterEditor::AddPupil(const QString& surname, const QString& firstName)
{
    try {
        journal::AddPupil(connection_, {{}, ChosenClassId(), surname, firstName, {}, {}});
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    ShowPupils();
    emit RosterChanged();
    return true;
}

bool RosterEditor::MoveChosenPupil(const QString& classId)
{
    const QTableWidgetItem* item = pupils_->currentItem();
    if (item == nullptr) {
        Tell(QStringLiteral("Выберите ученика в списке."));
        return false;
    }
    const QString id = item->data(Qt::UserRole).toString();
    try {
        for (journal::RosterPupil p : journal::LoadPupils(connection_, ChosenClassId())) {
            if (p.Id == id) {
                p.ClassId = classId;
                journal::UpdatePupil(connection_, p);
            }
        }
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    ShowPupils();
    emit RosterChanged();
    return true;
}

bool RosterEditor::RemoveChosenPupil()
{
    const QTableWidgetItem* item = pupils_->currentItem();
    if (item == nullptr) {
        Tell(QStringLiteral("Выберите ученика в списке."));
        return false;
    }
    try {
        journal::RemovePupil(connection_, item->data(Qt::UserRole).toString());
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    Tell(QStringLiteral("Ученик убран из списка класса; его попытки остались в журнале."));
    ShowPupils();
    emit RosterChanged();
    return true;
}

journal::RosterImport RosterEditor::PreviewPaste(const QString& text)
{
    return journal::ParseRoster(text);
}

bool RosterEditor::ImportPaste(const QString& text)
{
    const journal::RosterImport read = journal::ParseRoster(text);
    if (read.Pupils.empty()) {
        Tell(QStringLiteral("В списке нет ни одного ученика, которого можно прочитать."));
        return false;
    }
    try {
        const journal::ImportCount count =
            journal::ImportPupils(connection_, ChosenClassId(), read.Pupils);
        Tell(QStringLiteral("Добавлено учеников: %1, обновлено: %2, строк не прочитано: %3.")
                 .arg(count.Added)
                 .arg(count.Updated)
                 .arg(read.Problems.size()));
    } catch (const journal::JournalError& error) {
        Tell(QString::fromUtf8(error.what()));
        return false;
    }
    ShowPupils();
    emit RosterChanged();
    return true;
}

void RosterEditor::AskAndAddClass()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, words::NewClassTitle(),
                                               words::NewClassPrompt(), QLineEdit::Normal, {}, &ok);
    if (ok) {
        AddClass(name);
    }
}

void RosterEditor::AskAndRename()
{
    const QListWidgetItem* item = classes_->currentItem();
    if (item == nullptr) {
        return;
    }
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, words::RenameClassTitle(), words::RenameClassPrompt(),
                              QLineEdit::Normal, item->data(Qt::UserRole + 1).toString(), &ok);
    if (ok) {
        RenameClass(name);
    }
}

void RosterEditor::AskAndAddPupil()
{
    if (ChosenClassId().isEmpty()) {
        Tell(QStringLiteral("Сначала добавьте или выберите класс."));
        return;
    }
    bool ok = false;
    const QString surname = QInputDialog::getText(
        this, words::NewPupilTitle(), words::SurnamePrompt(), QLineEdit::Normal, {}, &ok);
    if (!ok) {
        return;
    }
    const QString firstName = QInputDialog::getText(
        this, words::NewPupilTitle(), words::FirstNamePrompt(), QLineEdit::Normal, {}, &ok);
    if (ok) {
        AddPupil(surname, firstName);
    }
}

void RosterEditor::AskAndMove()
{
    QStringList names;
    QStringList ids;
    for (int row = 0; row < classes_->count(); ++row) {
        names << classes_->item(row)->text();
        ids << classes_->item(row)->data(Qt::UserRole).toString();
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, words::MovePupilTitle(),
                                                 words::MovePupilPrompt(), names, 0, false, &ok);
    if (ok && names.contains(chosen)) {
        MoveChosenPupil(ids.at(names.indexOf(chosen)));
    }
}

void RosterEditor::AskAndEdit()
{
    const int row = pupils_->currentRow();
    if (row < 0) {
        Tell(QStringLiteral("Выберите ученика в списке."));
        return;
    }
    const QString title = words::EditPupilTitle();
    bool ok = false;
    const QString surname = QInputDialog::getText(
        this, title, words::SurnamePrompt(), QLineEdit::Normal, pupils_->item(row, 0)->text(), &ok);
    if (!ok) {
        return;
    }
    const QString firstName =
        QInputDialog::getText(this, title, words::FirstNamePrompt(), QLineEdit::Normal,
                              pupils_->item(row, 1)->text(), &ok);
    if (!ok) {
        return;
    }
    const QString logins = QInputDialog::getText(
        this, title, words::LoginsPrompt(), QLineEdit::Normal, pupils_->item(row, 2)->text(), &ok);
    if (!ok) {
        return;
    }
    const int minutes = QInputDialog::getInt(this, title, words::PupilMinutesPrompt(),
                                             pupils_->item(row, 3)->text().toInt(), 0,
                                             journal::kMaxRosterMinutes, 1, &ok);
    if (ok) {
        EditChosenPupil(surname, firstName, logins,
                        minutes > 0 ? std::optional<int>(minutes) : std::nullopt);
    }
}

void RosterEditor::AskAndSetClassMinutes()
{
    if (ChosenClassId().isEmpty()) {
        return;
    }
    bool ok = false;
    const int minutes =
        QInputDialog::getInt(this, words::ClassTimeTitle(), words::ClassMinutesPrompt(), 0, 0,
                             journal::kMaxRosterMinutes, 1, &ok);
    if (ok) {
        SetClassMinutes(minutes > 0 ? std::optional<int>(minutes) : std::nullopt);
    }
}

void RosterEditor::AskAndRemove()
{
    if (pupils_->currentItem() == nullptr) {
        Tell(QStringLiteral("Выберите ученика в списке."));
        return;
    }
    const auto answer =
        QMessageBox::question(this, words::RemovePupilTitle(), words::RemovePupilQuestion());
    if (answer == QMessageBox::Yes) {
        RemoveChosenPupil();
    }
}

void RosterEditor::OpenPasteDialog()
{
    if (ChosenClassId().isEmpty()) {
        Tell(QStringLiteral("Сначала добавьте или выберите класс."));
        return;
    }
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("pasteDialog"));
    dialog.setWindowTitle(words::PasteListTitle());
    auto* layout = new QVBoxLayout(&dialog);
    auto* hint = new QLabel(words::PasteListHint());
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* text = new QPlainTextEdit;
    text->setObjectName(QStringLiteral("pasteText"));
    text->setAccessibleName(words::PasteListName());
    text->setTabChangesFocus(true);
    layout->addWidget(text, 1);
    auto* preview = new QLabel;
    preview->setObjectName(QStringLiteral("pastePreview"));
    preview->setTextFormat(Qt::PlainText);
    preview->setWordWrap(true);
    layout->addWidget(preview);
    auto* buttons = new QDialogButtonBox;
    QPushButton* open = buttons->addButton(words::OpenCsvButton(), QDialogButtonBox::ActionRole);
    QPushButton* load = buttons->addButton(words::LoadButton(), QDialogButtonBox::AcceptRole);
    buttons->addButton(words::CancelButton(), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    const auto update = [this, text, preview, load] {
        const journal::RosterImport read = PreviewPaste(text->toPlainText());
        QStringList lines = {
            QStringLiteral("Будет загружено учеников: %1.").arg(read.Pupils.size())};
        for (const journal::RosterLineProblem& problem : read.Problems) {
            lines << problem.Text;
        }
        preview->setText(lines.join(u'\n'));
        load->setEnabled(!read.Pupils.empty());
    };
    connect(text, &QPlainTextEdit::textChanged, &dialog, update);
    connect(open, &QPushButton::clicked, &dialog, [&dialog, text] {
        const QString path = QFileDialog::getOpenFileName(&dialog, words::OpenPupilListTitle(), {},
                                                          words::PupilListFilter());
        QFile file(path);
        if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
            text->setPlainText(journal::RosterTextFromBytes(file.readAll()));
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    update();
    if (dialog.exec() == QDialog::Accepted) {
        ImportPaste(text->toPlainText());
    }
}

} // namespace teacher
