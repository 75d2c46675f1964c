// SPDX-License-Identifier: GPL-3.0-or-later
// A practice sheet for the mistakes one attempt shows, or one pupil's attempts together: for
// each mistake a short explanation in a pupil's words with one worked example, then eight new
// exercises of the kinds the mistake was made on, each chosen so that the mistake would show in
// its answer. From many attempts the habits that persist come first and take two exercises to
// another mistake's one (see MakeHistoryPracticeSheet).
//
// Contents: MistakeExplanation; PracticeExercise, MistakeLesson, PracticeSheet,
// HasMistakesToPractise, MakePracticeSheet and MakeHistoryPracticeSheet; the texts of a worked
// example (WorkedSteps, WrongResultText) and of a value (MixedText).
//
// The exercises are drawn with the test's own rows and draws from a random source the caller
// gives; the test itself is never touched. Not here: laying the sheet out on paper (the
// teacher's printed documents do), and mistakes with nothing to practise (no answer, not a
// number, another mistake).
#pragma once

#include "core/random_source.h"
#include "engine/attempt_record.h"
#include "engine/mistake_diagnosis.h"
#include "engine/shown_exercise.h"

#include <string>
#include <vector>

namespace engine {

// What to do instead, in words a grade-6 pupil understands; empty for a mistake with nothing
// to practise.
std::string MistakeExplanation(Mistake m);

struct PracticeExercise {
    ShownRow Exercise;
    // The test's row (0..9) whose kind of exercise it is.
    int Row = 0;
};

struct MistakeLesson {
    Mistake Which = Mistake::Other;
    PracticeExercise Example;
};

struct PracticeSheet {
    std::vector<MistakeLesson> Lessons;
    std::vector<PracticeExercise> Exercises;
};

inline constexpr int kPracticeExercises = 8;

// Whether any judged wrong row of the attempt shows a mistake a sheet can practise.
bool HasMistakesToPractise(const AttemptRecord& attempt);

// The sheet for an attempt's judged wrong rows. An attempt with nothing to practise gives an
// empty sheet.
PracticeSheet MakePracticeSheet(const AttemptRecord& attempt, core::RandomSource& random);

// Whether any of the attempts has a mistake to practise.
bool HasMistakesToPractise(const std::vector<AttemptRecord>& attempts);

// The sheet for one pupil's attempts, judged, oldest first. The mistakes come in the order of
// their habit (mistake_habits.h): those still being made in the latest attempt and an earlier
// one first, then those of the latest attempt only, then those no longer made; within each, as
// MistakeHabits::Habits orders them. A mistake that persists takes two turns at the exercises
// to another's one. Each mistake's rows are taken from the latest attempt it was made in
// first. No exercise repeats one of the attempts' own.
PracticeSheet MakeHistoryPracticeSheet(const std::vector<AttemptRecord>& attempts,
                                       core::RandomSource& random);

// Whether `exercise` shows `m`: the mistake gives a value of its own there (not the right
// one, not another mistake's) or, for the form, a right answer that needs reducing or its whole
// part taken out.
bool ShowsMistake(const ShownRow& exercise, Mistake m);

// A value as a pupil writes it: "1 1/15", "3/4", "2".
std::string MixedText(const Ratio& value);

// The worked example's steps: "1 1/3 : 1 1/4 = 4/3 · 4/5 = 16/15 = 1 1/15".
std::string WorkedSteps(const ShownRow& exercise);

// What the mistake gives on the example, as the pupil would write it ("1 2/3", "16/15",
// "32/30").
std::string WrongResultText(const ShownRow& exercise, Mistake m);

} // namespace engine
