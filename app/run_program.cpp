// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run_program.h"

#include "app/command_line.h"
#include "app/deferred_journal.h"
#include "app/journal_window_module.h"
#include "app/test_taker.h"
#include "core/random_source.h"
#include "journal/journal_log.h"
#include "journal/roster_lookup.h"
#include "toolkit/program.h"
#include "window/form1.h"

#include <QApplication>
#include <QMainWindow>

namespace app {

int RunProgram(int argc, char** argv, const WindowWatcher& watchWindow)
{
    const Command command = ParseCommandLine(ArgumentsOf(argc, argv));
    if (RunsWithoutWindow(command, ArgumentsOf(argc, argv))) {
        return RunCommand(command, argc, argv);
    }
    const auto application = toolkit::StartToolkit(argc, argv);
    // Qt has taken its own options (-platform …); what is left must be the program's.
    const Command windowCommand = ParseCommandLine(QCoreApplication::arguments());
    if (windowCommand.Kind == CommandKind::Error) {
        return ReportUsageError(windowCommand.Message);
    }
    if (windowCommand.Kind == CommandKind::JournalWindow) {
        return RunJournalWindowModule();
    }

    // The journal runs on its own threads, begun after the window's first frame; the window
    // only hands it records. When the event loop ends (the window closed, "Выход"), a test
    // still running is kept as interrupted.
    DeferredJournal journal;
    // Who takes the test and how long they have: the roster is read in the background once the
    // journal has begun (after the first frame), and asked for only when «Начать тест» is
    // pressed.
    const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
    journal::JournalLog log(settings.LogPath);
    journal::RosterLookup roster(settings, {}, settings.Identity == journal::IdentityMode::List);
    journal.AlsoOnBegin([&roster] { roster.Begin(); });
    core::SystemRandomSource random;
    window::Form1 form(
        random, [&journal](const engine::AttemptRecord& record) { journal.Report(record); },
        TakerFor(
            settings, roster,
            [&journal](const QString& pupil, const QString& className, const QString& id) {
                journal.SetTaker(pupil, className, id);
            },
            log));
    QWidget& window = *form.Controls().Window->Widget();
    journal.BeginAfterFirstFrameOf(window);
    if (watchWindow) {
        watchWindow(window);
    }
    form.Show();
    const int status = toolkit::RunEventLoop();
    // A run that ends before its first frame has no test to start: the roster is not read.
    journal.AlsoOnBegin({});
    journal.Shutdown();
    return status;
}

} // namespace app
