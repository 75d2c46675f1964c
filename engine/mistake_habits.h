// SPDX-License-Identifier: GPL-3.0-or-later
// One pupil's mistakes across their attempts, to see whether a habit persists: for each mistake,
// the attempts it was made in and how often, and whether it is still being made.
//
// Contents: HabitState and its words (HabitStateWords), MistakeHabit (one mistake across the
// attempts), and MistakeHabits, which takes the pupil's attempts one at a time, oldest first.
//
// Only attempts whose rows were judged count (a running or interrupted attempt shows no
// mistakes, so it cannot show that one has stopped either). A wrong row counts towards every
// mistake its diagnosis names, ambiguous ones and the form remarks included, as in the class
// count (mistake_tally.h).
//
// Not here: reading the journal, telling pupils apart (the caller hands in one pupil's
// attempts, judged as their answers earn: AsJudged), and how the teacher's window lays it out.
#pragma once

#include "engine/attempt_record.h"
#include "engine/mistake_diagnosis.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

enum class HabitState : std::uint8_t {
    // Made in the latest attempt and in an earlier one.
    Persists,
    // Made in earlier attempts, not in the latest.
    Stopped,
    // Made in the latest attempt only: too early to call it a habit.
    OnlyLatest,
};

// «повторяется», «больше не встречается», «только в последней попытке».
std::string HabitStateWords(HabitState state);

struct MistakeHabit {
    Mistake Which = Mistake::Other;
    // The attempts it was made in, as indices into MistakeHabits::Labels(), oldest first, and
    // on how many rows of each.
    std::vector<int> Attempts;
    std::vector<int> RowsInAttempt;
    // Rows it was made on, in all.
    int Rows = 0;
    HabitState State = HabitState::OnlyLatest;
};

class MistakeHabits {
public:
    // Counts the pupil's next attempt, later than every one added before. `label` names it for
    // the reader (its date, a number); an attempt with no judged row is left out.
    void Add(const std::string& label, const AttemptRecord& judged);

    // The labels of the attempts counted, oldest first.
    const std::vector<std::string>& Labels() const { return labels_; }
    // Every mistake made at least once: those made in the most attempts first, then those on
    // the most rows, then those made most recently; equal ones in the order Mistake declares.
    std::vector<MistakeHabit> Habits() const;

private:
    std::vector<std::string> labels_;
    // Per mistake, the rows it was made on in each counted attempt.
    std::array<std::vector<int>, kMistakeCount> rowsPerAttempt_;
};

} // namespace engine
