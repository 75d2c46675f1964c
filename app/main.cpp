// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: starts the toolkit, creates the window, delivers events until the end.
// The commands (--export-csv, --version, --help) run before any window and need no display.
#include "app/command_line.h"
#include "teacher/run_journal_window.h"
#include "toolkit/program.h"
#include "toolkit/random_source.h"
#include "window/test_flow.h"

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
    toolkit::SystemRandomSource random;
    window::Form1 form(random);
    form.Show();
    return toolkit::RunEventLoop();
}
