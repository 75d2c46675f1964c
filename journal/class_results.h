// SPDX-License-Identifier: GPL-3.0-or-later
// A class's results over some days, one line per roster pupil: how many attempts, and the mark
// and time of the last finished attempt or of the best one (the teacher's choice), with the
// class's mean mark and how many pupils have each mark by the same choice. The marks are the
// ones the answers earn (attempt_check.h), never the stored ones taken on trust.
//
// An attempt belongs to a pupil by the roster pupil it is linked to, else by the same name (in
// any case) as the pupil's "Фамилия Имя". It reads nothing itself: the caller gives the pupils
// and the class's attempts.
#pragma once

#include "journal/roster.h"
#include "journal/stored_attempt.h"

#include <array>
#include <optional>
#include <vector>

namespace journal {

enum class MarkChoice { Last, Best };

struct PupilResult {
    RosterPupil Pupil;
    int Attempts = 0;           // every attempt, finished or not
    std::optional<int> Mark;    // of the chosen finished attempt; none without one
    std::optional<int> Seconds; // seconds used in that attempt
};

struct ClassResults {
    std::vector<PupilResult> Lines; // in the pupils' order
    std::optional<double> Mean;     // over the pupils with a mark
    std::array<int, 4> Counts{};    // pupils with mark 2, 3, 4, 5
};

// Whether an attempt with the earned `mark`, started at `startedAt`, takes the place of the one
// chosen so far (`chosenMark`, `chosenAt`) as a pupil's by `choice`: the last is the latest
// start; the best the highest mark, and of equal ones the latest. The charts choose by it too.
bool TakesPlace(MarkChoice choice, int mark, const QDateTime& startedAt, int chosenMark,
                const QDateTime& chosenAt);

ClassResults SummariseClass(const std::vector<RosterPupil>& pupils,
                            const std::vector<StoredAttempt>& attempts, MarkChoice choice);

} // namespace journal
