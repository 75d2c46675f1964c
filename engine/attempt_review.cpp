// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/attempt_review.h"

#include "core/conversions.h"
#include "engine/answer_check.h"
#include "engine/task_generator.h"

#include <algorithm>
#include <tuple>

namespace engine {

namespace {

using Operands = std::tuple<Int16, Int16, Int16, Int16, Int16, Int16>;

Fraction Shown(Fraction f)
{
    ReduceFraction(f);
    ExtractWhole(f);
    return f;
}

Operands Key(const Fraction& first, const Fraction& second)
{
    return {first.Whole,  first.Numerator,  first.Denominator,
            second.Whole, second.Numerator, second.Denominator};
}

// Every pair of operands each row can show, sorted: a few for most rows, 98 x 98 for the last.
std::vector<Operands> ExercisesOfRow(int row)
{
    std::vector<Operands> found;
    const DrawRange range = RowDrawRange(row);
    for (int first = range.Lowest(); first <= range.Highest(); ++first) {
        const int secondLowest = RowDrawCount(row) == 2 ? range.Lowest() : 0;
        const int secondHighest = RowDrawCount(row) == 2 ? range.Highest() : 0;
        for (int second = secondLowest; second <= secondHighest; ++second) {
            // The operands before the operation folds them, as the window shows them.
            Exercise e = BuildExercise(row, static_cast<float>(first), static_cast<float>(second));
            found.push_back(Key(Shown(e.First), Shown(e.Second)));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

const std::array<std::vector<Operands>, kRowCount>& AllExercises()
{
    static const auto all = [] {
        std::array<std::vector<Operands>, kRowCount> rows;
        for (int row = 0; row < kRowCount; ++row) {
            rows.at(row) = ExercisesOfRow(row);
        }
        return rows;
    }();
    return all;
}

std::string RowName(int row)
{
    return "задание " + std::to_string(row + 1);
}

RowTexts TextsOf(const RowRecord& row)
{
    const auto texts = [](const Fraction& f) {
        return FractionTexts{core::Int16ToText(f.Numerator), core::Int16ToText(f.Denominator),
                             core::Int16ToText(f.Whole)};
    };
    return {texts(row.First), texts(row.Second),
            WithEmptyBoxDefaults({row.Typed.Numerator, row.Typed.Denominator, row.Typed.Whole})};
}

} // namespace

bool IsGeneratedExercise(int row, Operation op, const Fraction& first, const Fraction& second)
{
    if (row < 0 || row >= kRowCount || op != kRowOperations.at(row)) {
        return false;
    }
    const std::vector<Operands>& made = AllExercises().at(row);
    return std::binary_search(made.begin(), made.end(), Key(first, second));
}

AttemptReview ReviewAttempt(const AttemptRecord& record, int secondsAllowed)
{
    AttemptReview review;
    auto& problems = review.Problems;
    const bool judged = record.End == AttemptEnd::HandedIn || record.End == AttemptEnd::TimedOut;

    int rightCount = 0;
    for (int row = 0; row < kAttemptRows; ++row) {
        const RowRecord& r = record.Rows.at(row);
        if (IsGeneratedExercise(row, r.Op, r.First, r.Second)) {
            review.Keys.at(row) = ComputedAnswer(r.First, r.Second, r.Op);
            if (r.Key != *review.Keys.at(row)) {
                problems.push_back(RowName(row) + ": ответ в ключе неверен");
            }
        } else {
            problems.push_back(RowName(row) + ": такого задания тест не составляет");
        }
        if (!judged) {
            if (r.Right) {
                problems.push_back(RowName(row) + ": ответ оценён, а тест не сдан");
            }
            continue;
        }
        // An exercise the test cannot make is wrong whatever was typed.
        const bool right = review.Keys.at(row) && IsRowRight(TextsOf(r), r.Op);
        review.Right.at(row) = right;
        rightCount += right ? 1 : 0;
        if (r.Right != right) {
            problems.push_back(RowName(row) + (right ? ": верный ответ записан неверным"
                                                     : ": неверный ответ записан верным"));
        }
    }

    if (judged) {
        review.RightCount = rightCount;
        review.GradeText = GradeFor(static_cast<Int16>(rightCount));
        review.Mark = review.GradeText.front() - '0';
        if (record.RightCount != review.RightCount) {
            problems.emplace_back("число верных ответов не сходится с ответами");
        }
        if (record.Mark != review.Mark || record.GradeText != review.GradeText) {
            problems.emplace_back("отметка не сходится с ответами");
        }
    } else if (record.RightCount || record.Mark || !record.GradeText.empty()) {
        problems.emplace_back("у несданного теста есть отметка");
    }

    if (record.SecondsUsed < 0 || record.SecondsUsed > secondsAllowed) {
        problems.push_back("затрачено " + std::to_string(record.SecondsUsed) +
                           " с при отведённых " + std::to_string(secondsAllowed) + " с");
    } else if (record.End == AttemptEnd::TimedOut && record.SecondsUsed != secondsAllowed) {
        problems.emplace_back("время вышло раньше отведённого");
    }
    return review;
}

AttemptRecord AsJudged(AttemptRecord record, const AttemptReview& review)
{
    for (int row = 0; row < kAttemptRows; ++row) {
        RowRecord& r = record.Rows.at(row);
        if (review.Keys.at(row)) {
            r.Key = *review.Keys.at(row);
        }
        r.Right = review.Right.at(row);
    }
    record.RightCount = review.RightCount;
    record.GradeText = review.GradeText;
    record.Mark = review.Mark;
    return record;
}

std::string CheckText(const AttemptReview& review)
{
    if (review.Agrees()) {
        return "сходится";
    }
    std::string text = "не сходится: ";
    for (std::size_t i = 0; i < review.Problems.size(); ++i) {
        text += (i == 0 ? "" : "; ") + review.Problems[i];
    }
    return text;
}

} // namespace engine
