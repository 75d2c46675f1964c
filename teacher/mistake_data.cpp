// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_data.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"

namespace teacher {

engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    engine::MistakeTally tally;
    for (const journal::StoredAttempt& attempt : journal::LoadAttempts(c, f)) {
        // Counted as the answers earn, never as a record says.
        tally.Add(attempt.Pupil.toStdString(),
                  engine::AsJudged(attempt.Record, journal::CheckAttempt(attempt)));
    }
    return tally;
}

} // namespace teacher
