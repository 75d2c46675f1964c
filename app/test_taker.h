// SPDX-License-Identifier: GPL-3.0-or-later
// Who takes the test on this computer, handed to the pupil's window as plain data: the
// settings' `[pupil] identity=` chooses whether the window asks (account: no, the account's
// roster pupil is linked by login; list: from the roster's list; ask: typed names), the roster
// read in the background gives the list and the time allowed, and the pupil's journal is told
// who was chosen, with their class.
//
// A roster that cannot be read never stops a test: the list becomes typed names, the time ten
// minutes, and the journal's log says why.
#pragma once

#include "journal/journal_log.h"
#include "journal/journal_settings.h"
#include "journal/roster_lookup.h"
#include "window/test_taker.h"

#include <functional>

namespace app {

// Tells the pupil's journal who takes the test: the name (empty: the account's), the class and
// the roster pupil's id (PupilJournal::SetTaker).
using TellJournal = std::function<void(const QString& pupil, const QString& className,
                                       const QString& rosterPupilId)>;

// The window's TestTaker for these settings. `lookup`, `tellJournal` and `log` must outlive the
// window.
window::TestTaker TakerFor(const journal::JournalSettings& settings, journal::RosterLookup& lookup,
                           TellJournal tellJournal, journal::JournalLog& log);

// The window's classes from the roster's names: the classes that have pupils, in the roster's
// order, each with its pupils.
std::vector<window::RosterClass> ClassesOf(const journal::RosterForPupils& roster);

} // namespace app
