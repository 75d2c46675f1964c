// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window over the results journal: a filter (days, part of a pupil's name), the
// list of attempts with their count and mean mark, one attempt as the pupil saw it, the
// charts, export to CSV and PDF, printing, and deleting chosen attempts after a confirmation.
// Faults (no journal, no server, a journal of a newer program, an empty journal) are said in
// plain Russian in the status area at the bottom.
//
// It opens no journal itself (it is given one, see run_journal_window.h) and never changes
// the journal except by the delete command.
#pragma once

#include "journal/journal_database.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QTimer;

namespace teacher {

class AttemptDetailView;
class AttemptListModel;
class ChartsView;
class ClassView;
class RosterEditor;

class JournalWindow : public QMainWindow {
    Q_OBJECT

public:
    // `opened` as journal::OpenForReading gives it: a connection, or a problem to show. The
    // list starts with today's attempts.
    explicit JournalWindow(const journal::OpenResult& opened, QWidget* parent = nullptr);
    ~JournalWindow() override;

    // What the status area says (empty when there is nothing to say).
    QString StatusText() const;
    // Null when no journal could be opened.
    AttemptListModel* Model() const { return model_; }
    AttemptDetailView* Detail() const { return detail_; }
    ChartsView* Charts() const { return charts_; }
    // Null for a journal without classes (a server not yet upgraded).
    ClassView* Classes() const { return classView_; }
    RosterEditor* Roster() const { return rosterEditor_; }

    // The menu's commands after their file dialogs: true when the file was written.
    bool ExportCsv(const QString& path);
    bool ExportListPdf(const QString& path);
    bool ExportAttemptPdf(const QString& path);
    // Asks for confirmation, saying how many attempts; returns how many were deleted.
    int DeleteSelected();

private:
    void BuildMenus();
    QWidget* BuildFilterBar();
    void ApplyFilter();
    void ShowCurrentAttempt();
    void UpdateCharts();
    void UpdatePupilChart();
    void SaySummary();
    void Say(const QString& text);
    void ChooseAndExportCsv();
    void ChooseAndExportListPdf();
    void ChooseAndExportAttemptPdf();
    void PrintList();
    void PrintCurrentAttempt();
    QStringList SelectedIds() const;

    std::optional<journal::Connection> connection_;
    // Said when the journal opened with something to know (a damaged file moved aside).
    QString openNote_;
    AttemptListModel* model_ = nullptr;
    ClassView* classView_ = nullptr;
    RosterEditor* rosterEditor_ = nullptr;
    QCheckBox* allDays_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QLineEdit* pupil_ = nullptr;
    QComboBox* classFilter_ = nullptr;
    QLabel* classLabel_ = nullptr;
    QTimer* typing_ = nullptr;
    QTableView* list_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* status_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    AttemptDetailView* detail_ = nullptr;
    ChartsView* charts_ = nullptr;
    bool chartsStale_ = true;
    QList<QAction*> needJournal_;
    QList<QAction*> needAttempt_;
};

} // namespace teacher
