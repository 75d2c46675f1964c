// SPDX-License-Identifier: GPL-3.0-or-later
// A made-up classroom's journal for the teacher's window's benchmark and screenshots: real
// exercises of the test's kinds with their right answers worked out by the engine, and
// pupils who get most of them right, some more than others, written through the journal's
// own SaveAttempt.
//
// It is not a test of anything: it only makes data, the same for the same arguments.
#pragma once

#include "journal/journal_database.h"

namespace teacher_bench {

// Writes `count` attempts: pupil i % 26 of a class, on day (i / 26) % days counting back from
// today, at times spread over the school day. Returns the seconds it took.
double FillClassJournal(const journal::Connection& c, int count, int days);

} // namespace teacher_bench
