// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of the module fraction-test-teacher.so (journal_window_module.h): the teacher's
// journal window, run by app::RunJournalWindowModule, and the .xlsx export, run by
// app::WriteXlsxThroughModule. They add nothing to what they call.
#include "app/journal_window_module.h"
#include "journal/journal_error.h"
#include "journal/xlsx_export.h"
#include "teacher/run_journal_window.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int FractionTestRunJournalWindow()
{
    return teacher::RunJournalWindow();
}

extern "C" Q_DECL_EXPORT void FractionTestWriteXlsx(const journal::Connection* db,
                                                    const QString* target, QString* problem)
{
    try {
        if (db != nullptr) {
            journal::WriteXlsx(*db, {}, *target);
        } else {
            journal::XlsxListWriter(*target).Commit();
        }
        problem->clear();
    } catch (const journal::JournalError& error) {
        *problem = QString::fromUtf8(error.what());
    }
}
