// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window over the results journal: the filter bar (filter_bar.h), the list of
// attempts with their count and mean mark, read again by itself when the journal changes
// (journal_watch.h), one attempt as the pupil saw it, the charts (their marks and rows counted
// off the window's thread), the typical mistakes, the class view, saving
// and printing (window_exports.h), and deleting chosen attempts after a confirmation. Faults (no
// journal, no server, a journal of a newer program, an empty list and what empties it) are said
// in plain Russian in the status line at the bottom. Its size, panes, columns, tab and filter
// are remembered between starts (window_memory.h); its menu's shortcuts work wherever the focus
// is (window_shortcuts.h).
//
// It opens no journal itself (it is given one, see run_journal_window.h) and never changes
// the journal except by the delete command.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "teacher/background_reads.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QSplitter;
class QTabWidget;

namespace teacher {

class AttemptDetailView;
class AttemptListModel;
class AttemptListView;
class ChartsView;
class JournalWatch;
class WindowExports;
class FilterBar;
class ClassView;
class RosterEditor;

class JournalWindow : public QMainWindow {
    Q_OBJECT

public:
    // `opened` as journal::OpenForReading gives it: a connection, or a problem to show. The
    // list starts with the filter remembered from the last time, else today's attempts.
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

    // Saving and printing, each a job off the window's thread.
    WindowExports* Exports() const { return exports_; }
    // Null when no journal could be opened.
    JournalWatch* Watch() const { return watch_; }
    // Asks for confirmation, saying how many attempts; returns how many were deleted.
    int DeleteSelected();

    FilterBar* Filters() const { return filters_; }
    // Writes what the window remembers; closing the window does it too.
    void Remember();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void ApplyFilter(const journal::AttemptFilter& filter);
    void Reload();
    void ShowAsRead(const QString& keepId);
    void PlaceOnScreen();
    void ShowCurrentAttempt();
    void UpdateCharts();
    void UpdatePupilChart();
    void SaySummary();
    void Say(const QString& text);
    QString WithNote(const QString& text) const;
    void ReadAgainInPlace();
    QStringList SelectedIds() const;

    std::optional<journal::Connection> connection_;
    // Said when the journal opened with something to know (a damaged file moved aside).
    QString openNote_;
    AttemptListModel* model_ = nullptr;
    FilterBar* filters_ = nullptr;
    AttemptListView* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    ClassView* classView_ = nullptr;
    RosterEditor* rosterEditor_ = nullptr;
    QComboBox* classFilter_ = nullptr;
    QLabel* classLabel_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* status_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    AttemptDetailView* detail_ = nullptr;
    ChartsView* charts_ = nullptr;
    bool chartsStale_ = true;
    WindowExports* exports_ = nullptr;
    JournalWatch* watch_ = nullptr;
    QList<QAction*> needJournal_;
    QList<QAction*> needAttempt_;
    QList<QAction*> needClass_;
    // Last, so that the charts' counts under way end before the window's parts go.
    BackgroundReads chartReads_;
};

} // namespace teacher
