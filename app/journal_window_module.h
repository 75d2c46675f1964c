// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's journal window lives in a module of its own (fraction-test-teacher.so) that
// the program loads only when it is asked for that window, so that the pupil's window never
// loads what only the teacher's needs (Qt Charts, Qt PrintSupport and the OpenGL libraries
// they bring). The module is looked for beside the program (the build tree), then in the
// installed library folder relative to it.
//
// Contents: RunJournalWindowModule, and the one function the module exports. It does not
// build the window (teacher/run_journal_window.h does).
#pragma once

// The module's entry (journal_window_entry.cpp): the teacher's window, its exit status.
extern "C" int FractionTestRunJournalWindow();

namespace app {

// The name the entry is looked up by.
inline constexpr const char* kJournalWindowEntry = "FractionTestRunJournalWindow";

// Loads the module and runs the teacher's window (the QApplication made already); the event
// loop's exit status. A module that is missing or broken is told in one Russian line, on
// standard error and in a message box, with status 1.
int RunJournalWindowModule();

} // namespace app
