// SPDX-License-Identifier: GPL-3.0-or-later
// The local journal's schema and its versions. Version 1 holds exactly the server's tables
// and columns (schema_version, attempt, attempt_row) in SQLite types; each later version is
// one migration step from the one before, run in its own transaction:
//   2: the outbox of attempts still to send to a server (every finished attempt of a version-1
//      file is queued), a case-folded copy of the pupil's name for searching, an index on the
//      start time.
//   3: triggers that hold the texts to the journal's lengths.
//   4: classes and their pupils (the roster), and each attempt's class, roster pupil and time
//      allowed (ten minutes for the attempts already there); seconds used are checked against
//      the attempt's own time allowed.
//
// It does not decide what to do with a file that is not a journal or is newer (journal_database).
#pragma once

#include <QSqlDatabase>

#include <optional>

namespace journal {

// The schema version of an open SQLite file: 0 for an empty file, nothing for a database that
// holds other tables (not a journal). Throws JournalError when the file cannot be read.
std::optional<int> LocalSchemaVersion(const QSqlDatabase& db);

// Creates version 1 in an empty file, inside the caller's transaction.
void CreateFirstLocalSchema(const QSqlDatabase& db);

// Runs every step from `from` to kSqliteSchemaVersion, inside the caller's transaction (a
// failure rolls all of it back, so the file stays at the version it had). Throws JournalError.
void MigrateLocalSchema(const QSqlDatabase& db, int from);

} // namespace journal
