// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the module fraction-test-teacher.so: the teacher's journal window, run by
// app::RunJournalWindowModule (journal_window_module.h). It adds nothing to the window.
#include "app/journal_window_module.h"
#include "teacher/run_journal_window.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int FractionTestRunJournalWindow()
{
    return teacher::RunJournalWindow();
}
