// SPDX-License-Identifier: GPL-3.0-or-later
// The mistakes in what a filter lets through, read from the journal: the class's mistakes,
// counted by the engine's MistakeTally with pupils told apart by their names, and, when every
// attempt is one pupil's, that pupil's mistakes across the attempts (MistakeHabits), each
// attempt named by when it started, with the attempts as judged for a practice sheet.
//
// MistakeCounter   takes the attempts one at a time, oldest first (for a reader in batches)
// CountMistakes    reads a filter's attempts and counts them at once
//
// Only reads. It neither diagnoses nor counts by itself (engine/mistake_tally.h,
// engine/mistake_habits.h) and draws nothing (mistakes_view.h). Throws journal::JournalError,
// in Russian, when the journal cannot be read.
#pragma once

#include "engine/mistake_habits.h"
#include "engine/mistake_tally.h"
#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QString>

#include <optional>
#include <vector>

namespace teacher {

struct PupilMistakes {
    // The name as stored.
    QString Pupil;
    engine::MistakeHabits Habits;
    // The pupil's attempts as their answers earn, oldest first.
    std::vector<engine::AttemptRecord> Judged;
};

struct ShownMistakes {
    engine::MistakeTally Class;
    // Set when the filter lets through at least one attempt and all of them are one pupil's.
    std::optional<PupilMistakes> OnePupil;
};

class MistakeCounter {
public:
    // Counts the next attempt, started no earlier than every one added before.
    void Add(const journal::StoredAttempt& attempt);
    ShownMistakes Result() const;

private:
    ShownMistakes shown_;
    bool any_ = false;
    bool onePupil_ = true;
    PupilMistakes pupil_;
};

ShownMistakes CountMistakes(const journal::Connection& c, const journal::AttemptFilter& f);

// The class's count alone (CountMistakes' Class).
engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f);

} // namespace teacher
