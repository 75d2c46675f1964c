// SPDX-License-Identifier: GPL-3.0-or-later
// Judging a kept attempt again, from nothing but what it holds: the exercises are checked to be
// ones the test makes, the key and every verdict are worked out again from the operands and the
// typed texts, and the count, the grade and the mark from those verdicts. Whatever the record
// says that does not follow is named in Russian words.
//
// Contents: whether an exercise is one the test makes (IsGeneratedExercise), the review of one
// attempt (AttemptReview, ReviewAttempt), the record as judged (AsJudged) and the review's
// one-line verdict (CheckText).
//
// Not here: where the record comes from or who took the test (the journal adds its own checks
// of ids and times), and how a review is shown.
#pragma once

#include "engine/attempt_record.h"
#include "engine/fraction.h"
#include "engine/operation.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// Whether row `row` of a test can show this operation with these operands, in the normal form
// the window shows them in. Any other exercise did not come from the test.
bool IsGeneratedExercise(int row, Operation op, const Fraction& first, const Fraction& second);

struct AttemptReview {
    // The key worked out from the row's operands; unset for an exercise the test cannot make.
    std::array<std::optional<Fraction>, kAttemptRows> Keys{};
    // Set for every row of a handed-in or timed-out attempt: a row whose exercise the test
    // cannot make is wrong.
    std::array<std::optional<bool>, kAttemptRows> Right{};
    // Set for a handed-in or timed-out attempt.
    std::optional<int> RightCount;
    std::optional<int> Mark;
    std::string GradeText;
    // What the record says that does not follow, one plain Russian phrase each; empty when
    // everything agrees.
    std::vector<std::string> Problems;

    bool Agrees() const { return Problems.empty(); }
};

// Judges `record` again. `secondsAllowed` is the time the pupil had (the record's own
// SecondsAllowed for a kept attempt).
AttemptReview ReviewAttempt(const AttemptRecord& record, int secondsAllowed);

// The record as the review judges it: its keys (where the exercise is one the test makes), its
// verdicts, count, grade and mark replaced by the review's. What reads a kept attempt to count
// or explain its answers reads this, never the stored verdicts.
AttemptRecord AsJudged(AttemptRecord record, const AttemptReview& review);

// "сходится", or "не сходится: " and the problems joined with "; ".
std::string CheckText(const AttemptReview& review);

} // namespace engine
