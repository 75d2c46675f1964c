// SPDX-License-Identifier: GPL-3.0-or-later
// An attempt as the window would report it: ten exercises the test makes (from a fixed list of
// draws), typed answers (the key itself on the rows asked for, a wrong number on the others, or
// empty boxes), and the verdicts, count and mark the engine gives them.
#pragma once

#include "engine/answer_check.h"
#include "engine/attempt_record.h"
#include "engine/countdown.h"
#include "engine/task_generator.h"

#include <string>

namespace test_support {

// Called qualified below: engine/shown_exercise.h has a ShownForm of its own that an
// unqualified call would also find.
inline engine::Fraction ShownForm(engine::Fraction f)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    return f;
}

// `rightRows`: a bit per row whose typed answer is the key. `emptyRows`: a bit per row left
// empty (empty boxes mean 0, which no key of the test is). `draw` picks each row's draw.
inline engine::AttemptRecord GenuineAttempt(unsigned rightRows = 0x3FF, unsigned emptyRows = 0,
                                            int draw = 0,
                                            engine::AttemptEnd end = engine::AttemptEnd::HandedIn)
{
    engine::AttemptRecord record;
    engine::TestTexts texts;
    engine::TaskOpsTable ops{};
    for (int row = 0; row < engine::kRowCount; ++row) {
        const engine::DrawRange range = engine::RowDrawRange(row);
        const int span = range.Highest() - range.Lowest() + 1;
        const auto n = static_cast<float>(range.Lowest() + draw % span);
        const auto second = static_cast<float>(range.Lowest() + (draw + 1) % span);
        engine::Exercise e = engine::BuildExercise(row, n, second);
        engine::RowRecord& r = record.Rows.at(static_cast<std::size_t>(row));
        r.Op = e.Op;
        ops.at(static_cast<std::size_t>(row)) = e.Op;
        r.First = test_support::ShownForm(e.First);
        r.Second = test_support::ShownForm(e.Second);
        r.Key = test_support::ShownForm(e.Answer);
        if ((emptyRows >> row & 1U) != 0) {
            r.Typed = {};
        } else if ((rightRows >> row & 1U) != 0) {
            r.Typed = {std::to_string(r.Key.Whole), std::to_string(r.Key.Numerator),
                       std::to_string(r.Key.Denominator)};
        } else {
            r.Typed = {std::to_string(r.Key.Whole + 1), std::to_string(r.Key.Numerator),
                       std::to_string(r.Key.Denominator)};
        }
        const auto text = [](const engine::Fraction& f) {
            return engine::FractionTexts{std::to_string(f.Numerator), std::to_string(f.Denominator),
                                         std::to_string(f.Whole)};
        };
        texts.at(static_cast<std::size_t>(row)) = {
            text(r.First), text(r.Second),
            engine::WithEmptyBoxDefaults({r.Typed.Numerator, r.Typed.Denominator, r.Typed.Whole})};
    }
    record.End = end;
    record.SecondsUsed = end == engine::AttemptEnd::TimedOut ? engine::kTestSeconds : 431;
    if (end == engine::AttemptEnd::HandedIn || end == engine::AttemptEnd::TimedOut) {
        const engine::Marking marking = engine::MarkAnswers(texts, ops);
        for (int row = 0; row < engine::kRowCount; ++row) {
            record.Rows.at(static_cast<std::size_t>(row)).Right =
                marking.Right.at(static_cast<std::size_t>(row));
        }
        record.RightCount = marking.RightCount;
        record.GradeText = marking.GradeText;
        record.Mark = std::stoi(marking.MarkText());
    }
    return record;
}

} // namespace test_support
