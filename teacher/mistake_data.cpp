// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_data.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "teacher/attempt_texts.h"

namespace teacher {

void MistakeCounter::Add(const journal::StoredAttempt& attempt)
{
    // Counted as the answers earn, never as a record says.
    const engine::AttemptRecord judged =
        engine::AsJudged(attempt.Record, journal::CheckAttempt(attempt));
    shown_.Class.Add(attempt.Pupil.toStdString(), judged);
    if (!any_) {
        any_ = true;
        pupil_.Pupil = attempt.Pupil;
    } else if (onePupil_ && attempt.Pupil != pupil_.Pupil) {
        // A second pupil: the class count goes on, the one pupil's is dropped.
        onePupil_ = false;
        pupil_ = {};
    }
    if (onePupil_) {
        pupil_.Habits.Add(DateTimeText(attempt.StartedAt).toStdString(), judged);
        pupil_.Judged.push_back(judged);
    }
}

ShownMistakes MistakeCounter::Result() const
{
    ShownMistakes shown = shown_;
    if (any_ && onePupil_) {
        shown.OnePupil = pupil_;
    }
    return shown;
}

ShownMistakes CountMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    MistakeCounter counter;
    // Loaded oldest first, the order MistakeCounter takes them in.
    for (const journal::StoredAttempt& attempt : journal::LoadAttempts(c, f)) {
        counter.Add(attempt);
    }
    return counter.Result();
}

engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f)
{
    return CountMistakes(c, f).Class;
}

} // namespace teacher
