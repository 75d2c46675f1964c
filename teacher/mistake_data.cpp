// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_data.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "teacher/attempt_texts.h"

namespace teacher {

ShownMistakes CountMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    ShownMistakes shown;
    bool onePupil = true;
    PupilMistakes pupil;
    const std::vector<journal::StoredAttempt> attempts = journal::LoadAttempts(c, f);
    // Loaded oldest first, the order MistakeHabits takes them in.
    for (const journal::StoredAttempt& attempt : attempts) {
        // Counted as the answers earn, never as a record says.
        const engine::AttemptRecord judged =
            engine::AsJudged(attempt.Record, journal::CheckAttempt(attempt));
        shown.Class.Add(attempt.Pupil.toStdString(), judged);
        if (!onePupil) {
            continue;
        }
        if (&attempt == &attempts.front()) {
            pupil.Pupil = attempt.Pupil;
        } else if (attempt.Pupil != pupil.Pupil) {
            // A second pupil: the class count goes on, the one pupil's is dropped.
            onePupil = false;
            continue;
        }
        pupil.Habits.Add(DateTimeText(attempt.StartedAt).toStdString(), judged);
    }
    if (onePupil && !attempts.empty()) {
        shown.OnePupil = std::move(pupil);
    }
    return shown;
}

engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    return CountMistakes(c, f).Class;
}

} // namespace teacher
