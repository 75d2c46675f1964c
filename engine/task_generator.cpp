// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/task_generator.h"

#include "core/conversions.h"

#include <cmath>
#include <stdexcept>

namespace engine {

namespace {

constexpr std::array<DrawRange, kRowCount> kDrawRanges = {{
    {8, 2},  // 0: n = 2..9
    {8, 2},  // 1: n = 2..9
    {8, 2},  // 2: m = 2..9
    {6, 4},  // 3: n = 4..9
    {8, 2},  // 4: m = 2..9
    {7, 3},  // 5: n = 3..9
    {8, 2},  // 6: n = 2..9
    {8, 2},  // 7: n = 2..9
    {5, 5},  // 8: n = 5..9
    {98, 1}, // 9: a and b = 1..98
}};

// A whole-number operand is set field by field rather than through MakeFraction.
Fraction WholeNumber(float n)
{
    return Fraction{core::ToInt16(n), 1, 0};
}

Fraction Made(float numerator, float denominator)
{
    Fraction f;
    MakeFraction(f, numerator, denominator);
    return f;
}

} // namespace

DrawRange RowDrawRange(int row)
{
    return kDrawRanges.at(row);
}

int RowDrawCount(int row)
{
    return row == 9 ? 2 : 1;
}

float Draw(const DrawRange& range, core::RandomSource& random)
{
    const float r = random.Next();
    return std::floor(static_cast<float>(range.Scale) * r) + static_cast<float>(range.Offset);
}

Exercise BuildExercise(int row, float n, float secondDraw)
{
    Exercise e;
    e.Op = kRowOperations.at(row);
    switch (row) {
    case 0:
    case 1:
        e.First = Made(1, n);
        e.Second = Made(n, n + 1);
        break;
    case 2:
        e.First = WholeNumber(2 * n);
        e.Second = Made(1, n);
        break;
    case 3:
        e.First = Made(n + 1, n);
        e.Second = Made(n - 3, n - 2);
        break;
    case 4:
        e.First = WholeNumber(n);
        e.Second = Made(1, n + 1);
        break;
    case 5:
        e.First = Made(1, n);
        e.Second = WholeNumber(n - 1);
        break;
    case 6:
        e.First = Made(n + 1, n);
        e.Second = Made(n + 2, n + 1);
        break;
    case 7:
        e.First = Made(2 * n + 1, n);
        e.Second = Made(n, 2 * n + 1);
        break;
    case 8:
        e.First = Made(n + 2, n);
        e.Second = Made(n + 3, n + 1);
        break;
    case 9:
        e.First = Made(n, 100);
        e.Second = Made(secondDraw, 100);
        break;
    default:
        throw std::out_of_range("exercise row");
    }
    if (e.Op == Operation::Multiply) {
        MultiplyFractions(e.Answer, e.First, e.Second);
    } else {
        DivideFractions(e.Answer, e.First, e.Second);
    }
    return e;
}

Exercise DrawExercise(int row, core::RandomSource& random)
{
    const DrawRange range = RowDrawRange(row);
    const float first = Draw(range, random);
    const float second = RowDrawCount(row) == 2 ? Draw(range, random) : 0.0f;
    return BuildExercise(row, first, second);
}

void GenerateTasks(TaskOpsTable& taskOps, core::RandomSource& random,
                   const ShowFractionFn& showFraction)
{
    for (int row = 0; row < kRowCount; ++row) {
        Exercise e = DrawExercise(row, random);
        taskOps[row] = e.Op;
        const auto r = static_cast<Int16>(row);
        showFraction(r, e.First, ExercisePart::FirstOperand);
        showFraction(r, e.Second, ExercisePart::SecondOperand);
        showFraction(r, e.Answer, ExercisePart::Answer);
    }
}

} // namespace engine
