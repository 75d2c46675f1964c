// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_data.h"

#include "journal/attempt_store.h"

namespace teacher {

engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    engine::MistakeTally tally;
    for (const journal::StoredAttempt& attempt : journal::LoadAttempts(c, f)) {
        tally.Add(attempt.Pupil.toStdString(), attempt.Record);
    }
    return tally;
}

} // namespace teacher
