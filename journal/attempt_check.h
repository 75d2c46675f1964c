// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a kept attempt holds together, as every reader of the journal (the teacher's window,
// the CSV export, the printed pages) judges it: the engine's review of the record (the
// exercises, the key, the verdicts, the count, the mark, the seconds used) and the journal's own
// checks of what the record does not hold (the id, the times).
//
// It only reads what it is given: nothing here opens a journal or changes an attempt.
#pragma once

#include "engine/attempt_review.h"
#include "journal/stored_attempt.h"

#include <QString>

namespace journal {

// The engine's review of the attempt with the journal's own problems added. The time allowed
// is the one recorded with the attempt.
engine::AttemptReview CheckAttempt(const StoredAttempt& attempt);

// "сходится", or "не сходится: " and what does not.
QString CheckTextOf(const engine::AttemptReview& review);

} // namespace journal
