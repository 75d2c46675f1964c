// SPDX-License-Identifier: GPL-3.0-or-later
// The local journal's outbox: the attempts a classroom server does not have yet. A finished
// or interrupted attempt is saved and queued in one transaction, so a power cut cannot leave it
// saved but forgotten; it leaves the queue once a server has it. Local (SQLite) journals only;
// it does not send anything (server_sender.h does).
#pragma once

#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QStringList>

namespace journal {

// SaveAttempt plus an outbox line for it, in one transaction. Throws JournalError.
void SaveAndQueue(const Connection& c, const StoredAttempt& a);

// The queued attempt ids, oldest first.
QStringList QueuedIds(const Connection& c);

// The ids of attempts stored as still running (by this run or by one that died).
QStringList RunningAttemptIds(const Connection& c);

// Takes the attempt out of the queue (a server has it).
void Unqueue(const Connection& c, const QString& id);

} // namespace journal
