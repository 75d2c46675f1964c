// SPDX-License-Identifier: GPL-3.0-or-later
// The journal on a pupil's computer: one attempt per run of the pupil's window, kept in the
// local file first (always; it is the outbox) and, when a server is set up, sent there in the
// background. A test cut off by a crash or a power cut is found at the next start (its lock
// file's process is gone), marked "прерван" with what was typed, and sent on.
//
// The window's thread hands over records and never waits on the network. It waits on the disk
// once: a hand-in or time-out returns only when its ending is committed and synced to the local
// file (a few milliseconds), so the result the pupil then sees cannot be lost by killing the
// program. Nothing here throws at the window. What goes wrong (a bad address, a refusing
// server, a local file that cannot be written) is written to the journal's own log and the test
// goes on. A local file that cannot be written at all leaves the attempt in memory only: it is
// still sent to a server if one is set up and reachable during this run, and lost otherwise
// (the log says so).
#pragma once

#include "engine/attempt_record.h"
#include "journal/journal_settings.h"

#include <memory>

namespace journal {

class PupilJournal {
public:
    // Starts the writer thread and returns: the writer reads the settings file and the
    // environment, the account's entry and the host name, starts the sender if a server is set
    // up, then opens the local file and recovers what an earlier run left unfinished. Records
    // reported meanwhile wait for it, and the first gets the pupil's name once it is known.
    PupilJournal();
    // Explicit local path, server URI and log path (tests, benchmarks); the rest as above.
    explicit PupilJournal(JournalSettings settings);
    ~PupilJournal();
    PupilJournal(const PupilJournal&) = delete;
    PupilJournal& operator=(const PupilJournal&) = delete;

    // The window's record as it stands. The first makes the attempt (new id, pupil, host,
    // version, started now). Running records are written at most once per RunningSaveInterval
    // (the latest one wins), in the background. A hand-in or time-out is written at once, and
    // Report returns when that write is committed and synced (or has failed, which the log
    // tells); it never waits on the network. How the attempt ended and when are set by its
    // first ending and kept; a later hand-in updates the same attempt.
    void Report(const engine::AttemptRecord& record);

    // A still-running attempt becomes Interrupted (ended now); local writes are finished, the
    // sender tries what is queued once more and stops. Called by the destructor too.
    void Shutdown();

    // Who takes the test, when the account does not say it all: the name (an empty one keeps
    // the account's), the class and the roster pupil (either may be empty). Takes effect for an
    // attempt not yet begun, so it is called before the first Report.
    void SetTaker(const QString& pupil, const QString& className, const QString& rosterPupilId);

    // The attempt's id once the first record has come; empty before.
    QString AttemptId() const;
    // How many times the attempt was written to the local file so far.
    int LocalSaveCount() const;
    // How many attempts a server has taken in this run.
    int SentCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace journal
