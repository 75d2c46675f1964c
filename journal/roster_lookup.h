// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil's computer needs of the roster before a test, read once in the background (once
// the window has painted, or when it is first asked for), from the journal this computer is set up
// with (the server if there is one, else the local file): the roster pupil whose logins include
// this account's, and, when the pupil picks their name from a list, the classes, the pupils' names
// and each one's time.
//
// Reading never holds up the window: Result waits a bounded time and otherwise says the roster
// could not be read. It changes nothing in the journal.
#pragma once

#include "journal/journal_settings.h"
#include "journal/roster.h"

#include <chrono>
#include <future>
#include <map>
#include <optional>
#include <vector>

namespace journal {

struct RosterForPupils {
    std::optional<RosterEntry> Account; // the account's roster pupil, if the roster has it
    std::vector<SchoolClass> Classes;   // names only, archived ones left out
    std::vector<RosterPupil> Pupils;    // names only
    std::map<QString, int> Seconds;     // time allowed by pupil id
    QString Problem;                    // empty when the roster was read
};

// Reads the roster through `settings` now, for everything a test start may need.
RosterForPupils ReadRosterForPupils(const JournalSettings& settings, const QString& login,
                                    bool withList);

class RosterLookup {
public:
    // Reads nothing yet: Begin starts the reading on a thread of its own. An empty `login` is
    // this account's, looked up on that thread.
    RosterLookup(JournalSettings settings, QString login, bool withList);
    ~RosterLookup();
    RosterLookup(const RosterLookup&) = delete;
    RosterLookup& operator=(const RosterLookup&) = delete;

    // Starts the reading, once; later calls do nothing.
    void Begin();

    // What was read, beginning the reading if it has not begun; if it is not read within `wait`,
    // a result whose Problem says so.
    RosterForPupils Result(std::chrono::milliseconds wait);

private:
    JournalSettings settings_;
    QString login_;
    bool withList_;
    std::shared_future<RosterForPupils> reading_;
};

} // namespace journal
