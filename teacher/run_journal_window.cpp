// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/run_journal_window.h"

#include "journal/journal_database.h"
#include "teacher/journal_window.h"

#include <QApplication>

namespace teacher {

int RunJournalWindow()
{
    const journal::OpenResult opened = journal::OpenForReading();
    int status = 0;
    {
        JournalWindow window(opened);
        window.show();
        status = QApplication::exec();
    }
    // Only once the window and its queries are gone.
    if (opened.Db) {
        journal::CloseConnection(*opened.Db);
    }
    return status;
}

} // namespace teacher
