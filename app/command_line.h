// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: `fraction-test` opens the pupil's window; `--export-csv FILE`
// (`-` for standard output), `--export-xlsx FILE`, `--version` and `--help` are commands that
// need no display;
// `--journal` opens the teacher's journal window. Qt's own options (-platform …) are left to
// Qt: they are unknown here, so the window is started first and what Qt leaves is read again.
//
// It parses and reports; it does not open a window or a journal (export_command.h does that).
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace app {

enum class CommandKind {
    Window,
    JournalWindow,
    ExportCsv,
    ExportXlsx,
    ImportRoster,
    Version,
    Help,
    Error
};

struct Command {
    CommandKind Kind = CommandKind::Window;
    // ExportCsv: a file name or "-"; ExportXlsx: a file name; ImportRoster: the file to read
    QString CsvTarget;
    QString Message;        // Error: one Russian line
    QString ClassName = {}; // ImportRoster: the class the pupils go into
};

// The program's options, with their Russian descriptions, added to `parser`.
void DescribeOptions(QCommandLineParser& parser);

// Reads the arguments (the program's name first).
Command ParseCommandLine(const QStringList& arguments);

// The arguments as main() got them, before anything has removed Qt's.
QStringList ArgumentsOf(int argc, char** argv);

// True when the command runs without a window: it is a command, or it is a mistake in a
// command line that names one of the commands (Qt's window options do not apply to those).
bool RunsWithoutWindow(const Command& command, const QStringList& arguments);

// Runs a command that needs no window (help, version, export, a mistake) and gives the exit
// status. Creates a QCoreApplication of its own; no display is needed.
int RunCommand(const Command& command, int& argc, char** argv);

// Writes "fraction-test: <message>" to standard error; gives the status for a usage mistake.
int ReportUsageError(const QString& message);

} // namespace app
