// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: reads the command line, then either runs a command that needs no
// display (--export-csv, --version, --help) or starts the toolkit and opens the pupil's window,
// whose reports go to the results journal, and delivers events until the end.
#include "app/command_line.h"
#include "app/test_taker.h"
#include "core/random_source.h"
#include "journal/pupil_identity.h"
#include "journal/pupil_journal.h"
#include "teacher/run_journal_window.h"
#include "toolkit/program.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const app::Command command = app::ParseCommandLine(app::ArgumentsOf(argc, argv));
    if (app::RunsWithoutWindow(command, app::ArgumentsOf(argc, argv))) {
        return app::RunCommand(command, argc, argv);
    }
    const auto application = toolkit::StartToolkit(argc, argv);
    // Qt has taken its own options (-platform …); what is left must be the program's.
    const app::Command windowCommand = app::ParseCommandLine(QCoreApplication::arguments());
    if (windowCommand.Kind == app::CommandKind::Error) {
        return app::ReportUsageError(windowCommand.Message);
    }
    if (windowCommand.Kind == app::CommandKind::JournalWindow) {
        return teacher::RunJournalWindow();
    }

    // The journal starts its own threads; the window only hands it records. When the event
    // loop ends (the window closed, "Выход"), a test still running is kept as interrupted. The
    // roster is read meanwhile in the background, for who takes the test and how long they have.
    const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
    journal::PupilJournal journal(settings);
    journal::JournalLog log(settings.LogPath);
    journal::RosterLookup roster(settings, journal::ThisPupil().Login,
                                 settings.Identity == journal::IdentityMode::List);
    core::SystemRandomSource random;
    window::Form1 form(
        random, [&journal](const engine::AttemptRecord& record) { journal.Report(record); },
        app::TakerFor(settings, roster, journal, log));
    form.Show();
    const int status = toolkit::RunEventLoop();
    journal.Shutdown();
    return status;
}
