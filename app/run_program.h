// SPDX-License-Identifier: GPL-3.0-or-later
// The program's whole run from its command line to its exit status: a command that needs no
// display (--export-csv, --version, --help), the teacher's window, or the pupil's window with
// its reports going to the results journal. app/main.cpp calls it, and so does the start-up
// benchmark, which is why the pupil's window can be handed to a watcher before it is shown.
// It does not parse the command line itself (command_line.h) nor build any window.
#pragma once

#include <functional>

class QWidget;

namespace app {

// Called with the pupil's window just before it is shown.
using WindowWatcher = std::function<void(QWidget& window)>;

// Runs the program as its command line says; gives the exit status.
int RunProgram(int argc, char** argv, const WindowWatcher& watchWindow = {});

} // namespace app
