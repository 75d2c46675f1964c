// SPDX-License-Identifier: GPL-3.0-or-later
// The roster editor pane: the classes (add, rename, set their time, archive at the year's end
// and bring back) and the chosen class's pupils (add, edit, move to another class, take off the
// list), and a list
// pasted from a spreadsheet or read from a CSV file, shown as a preview with a Russian message
// for each line that cannot be read before anything is added.
//
// Every change goes straight to the journal through the connection it is given; taking a pupil
// off the list never touches their attempts. Not here: the class view (class_view.h).
#pragma once

#include "journal/journal_database.h"
#include "journal/roster_import.h"

#include <QWidget>

#include <optional>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;

namespace teacher {

class RosterEditor : public QWidget {
    Q_OBJECT

public:
    explicit RosterEditor(const journal::Connection& connection, QWidget* parent = nullptr);

    // Reads the classes and the chosen class's pupils again.
    void Refresh();

    // What the buttons do once their questions are answered; each says what went wrong in the
    // pane's message line and gives whether it was done.
    bool AddClass(const QString& name, const QString& schoolYear = {});
    bool RenameClass(const QString& name);
    bool ToggleArchived();
    // The chosen class's time for the test in minutes; nothing: the test's ten minutes.
    bool SetClassMinutes(std::optional<int> minutes);
    bool AddPupil(const QString& surname, const QString& firstName);
    bool MoveChosenPupil(const QString& classId);
    // The chosen pupil's names, logins (separated by spaces) and own minutes.
    bool EditChosenPupil(const QString& surname, const QString& firstName, const QString& logins,
                         std::optional<int> minutes);
    bool RemoveChosenPupil();
    // The pasted text's preview, then adding its readable lines to the chosen class.
    journal::RosterImport PreviewPaste(const QString& text);
    bool ImportPaste(const QString& text);

    QString Message() const;
    QString ChosenClassId() const;

signals:
    // Emitted after every change, for the class view and the filter.
    void RosterChanged();

private:
    void ShowPupils();
    void Tell(const QString& text);
    void AskAndAddClass();
    void AskAndRename();
    void AskAndAddPupil();
    void AskAndMove();
    void AskAndEdit();
    void AskAndSetClassMinutes();
    void AskAndRemove();
    void OpenPasteDialog();

    journal::Connection connection_;
    QListWidget* classes_ = nullptr;
    QTableWidget* pupils_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace teacher
