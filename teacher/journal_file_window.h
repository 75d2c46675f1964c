// SPDX-License-Identifier: GPL-3.0-or-later
// A journal file copied from another computer (a pupil's laptop, an exam room's machine),
// opened by «Файл → Открыть журнал…» in a window of its own beside the one already open, and
// the title that says which journal a window shows.
//
// OpenCopiedJournal      the file as it is: never created, never migrated, never moved aside
// OpenJournalFileWindow  the file dialog, then the new window (or what is wrong, in a message)
// JournalTitle           «Журнал результатов — этот компьютер», «— класс-2.sqlite», «— сервер …»
//
// Opening writes nothing: the file changes only if the teacher deletes attempts from it.
#pragma once

#include "journal/journal_database.h"

#include <QString>

class QWidget;

namespace teacher {

// A journal of this program's version at `path`; a missing file, a file that is not a journal,
// and one written by an older or newer version are refused with a sentence that says so.
journal::OpenResult OpenCopiedJournal(const QString& path);

// Asks for the file and opens it in a new window, which closes its connection when it goes.
void OpenJournalFileWindow(QWidget* parent);

QString JournalTitle(const journal::Connection& c);

} // namespace teacher
