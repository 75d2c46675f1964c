// SPDX-License-Identifier: GPL-3.0-or-later
// The «Файл» menu's saving and printing for the teacher's window: the commands, their file
// dialogs (CSV with commas or with semicolons, .xlsx with the class view's and the typical
// mistakes' sheets beside the list, PDF; the class view as PDF or printed), the warning before a
// list PDF or
// printout of many pages, the print preview, and one export job at a time (export_job.h) with
// its progress bar and «Отмена» in the window's status line. What it saves and prints: the list,
// the chosen attempt, the typical mistakes in the list's attempts, and a practice sheet another
// pane has made (printed only; the panes save their sheets themselves). The window stays usable
// while a job runs; what the job ends with is said through the window's status line.
//
// It does not read the list itself (the jobs read it on their own connection, as the window
// shows it) and never changes the journal.
#pragma once

#include "journal/class_results.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"
#include "teacher/class_pages.h"
#include "teacher/export_job.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;

namespace engine {
struct PracticeSheet;
}

namespace teacher {

class AttemptListModel;

// What the window lends: its journal, its list, the attempt it shows, its status line, and the
// class view as shown (none without a class chosen).
struct ExportHooks {
    std::function<std::optional<journal::Connection>()> Journal;
    std::function<const AttemptListModel*()> List;
    std::function<std::optional<journal::StoredAttempt>()> Shown;
    std::function<void(const QString&)> Say;
    std::function<std::optional<ClassSheet>()> Class;
};

class WindowExports : public QObject {
    Q_OBJECT

public:
    WindowExports(QMainWindow* window, ExportHooks hooks);
    ~WindowExports() override;

    // Adds the commands to `file`; those that need a journal, a chosen attempt or a chosen class
    // are appended to the lists the window enables and disables.
    void AddCommands(QMenu* file, QList<QAction*>& needJournal, QList<QAction*>& needAttempt,
                     QList<QAction*>& needClass);

    // Each starts a job without a dialog and gives it, or null (with the reason said) when there
    // is nothing to save or another job is still running.
    ExportJob* StartCsv(const QString& path, QChar separator = QLatin1Char(','));
    ExportJob* StartXlsx(const QString& path);
    ExportJob* StartListPdf(const QString& path);
    ExportJob* StartAttemptPdf(const QString& path);
    ExportJob* StartClassPdf(const QString& path);
    ExportJob* StartMistakesPdf(const QString& path);

    // Shows the sheet in the print preview and, when the teacher confirms a printer, prints the
    // same sheet as a job.
    void PrintPracticeSheet(const QString& pupil, const engine::PracticeSheet& sheet);

    // The job now running, if any.
    ExportJob* Running() const { return job_; }

    // A list PDF or printout longer than this many pages is saved only after a warning.
    static constexpr int kPagesWithoutWarning = 300;

private:
    ExportJob* Start(ExportJob* job);
    bool ListReady();
    bool Idle();
    bool ManyPagesAccepted(const QString& action);
    void ChooseCsv();
    void ChooseXlsx();
    void ChooseListPdf();
    void ChooseAttemptPdf();
    void ChooseClassPdf();
    void ChooseMistakesPdf();
    void PrintList();
    void PrintAttempt();
    void PrintClass();
    void PrintMistakes();

    QMainWindow* window_;
    ExportHooks hooks_;
    QPointer<ExportJob> job_;
    QLabel* what_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace teacher
