// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing attempts, with their ten rows, on an open journal of either kind. Every
// function runs on the connection's own thread and throws JournalError on failure.
//
// It does not open, migrate or choose a journal (journal_database.h), and keeps no cache.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace journal {

// Insert or update by Id, rows included, in one transaction. An attempt whose fields the
// schema does not allow (seconds outside 0..600, a mark outside 2..5, …) is refused whole.
void SaveAttempt(const Connection& c, const StoredAttempt& a);

// Adds the attempt only if the journal does not have its Id yet (INSERT … ON CONFLICT DO
// NOTHING, which is all the pupils' server role may do); never changes a stored attempt.
// True when it was added now.
bool AddAttemptOnce(const Connection& c, const StoredAttempt& a);

// Reading checks every value: a read that fails part-way, a NULL where the journal never writes
// one, a number out of its column's range, an unknown code or a missing row throws JournalError
// naming the attempt; no field is ever filled in with a default.

// The attempt with this Id; nothing if there is none (or, on a server, Id is not a UUID).
std::optional<StoredAttempt> LoadAttempt(const Connection& c, const QString& id);

// The attempts the filter picks, ordered by StartedAt (then Id).
std::vector<StoredAttempt> LoadAttempts(const Connection& c, const AttemptFilter& f);

// The attempts with these Ids, in the order of the Ids; an Id with no attempt is left out. For
// reading a long list a few hundred at a time in an order the caller chose.
std::vector<StoredAttempt> LoadAttemptsByIds(const Connection& c, const QStringList& ids);

// Deletes the attempts with these Ids and their rows; gives how many attempts were deleted. An
// Id that is not a UUID is deleted from a local file like any other. On a local file opened for
// reading, a second connection that may write is opened for the delete only.
int DeleteAttempts(const Connection& c, const QStringList& ids);

} // namespace journal
