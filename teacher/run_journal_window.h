// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window as a program: opens the configured journal for reading, shows the
// window and runs the event loop until it is closed.
//
// It needs the QApplication made already (the program's start-up makes it) and parses no
// command line.
#pragma once

namespace teacher {

// Returns the event loop's exit status.
int RunJournalWindow();

} // namespace teacher
