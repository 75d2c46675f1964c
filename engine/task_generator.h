// SPDX-License-Identifier: GPL-3.0-or-later
// The ten exercises of a test: each row has a fixed operation and a fixed pattern of operands
// that random draws fill in.
//
// Contents: the rows' operations (kRowOperations), their draw ranges (RowDrawRange, Draw), one
// row built from its draws (BuildExercise, DrawExercise), and the whole test handed to a sink
// fraction by fraction (GenerateTasks).
//
// Not here: showing a fraction (the sink does that) and seeding the random source.
#pragma once

#include "core/random_source.h"
#include "engine/fraction.h"
#include "engine/operation.h"

#include <array>
#include <cstdint>
#include <functional>

namespace engine {

inline constexpr int kRowCount = 10;

// The operation of each row, recorded when the exercises are made.
using TaskOpsTable = std::array<Operation, kRowCount>;
inline constexpr TaskOpsTable kRowOperations = {
    Operation::Multiply, Operation::Divide, Operation::Divide, Operation::Multiply,
    Operation::Divide,   Operation::Divide, Operation::Divide, Operation::Multiply,
    Operation::Multiply, Operation::Divide};

// Which of a row's three fractions a generated value is.
enum class ExercisePart { FirstOperand, SecondOperand, Answer };

// What a row's random draws are: floor(Scale x r) + Offset, in single precision.
struct DrawRange {
    int Scale;
    int Offset;
    int Lowest() const { return Offset; }
    int Highest() const { return Scale - 1 + Offset; }
};
DrawRange RowDrawRange(int row);
// Row 9 draws twice (the first operand's number first); every other row once.
int RowDrawCount(int row);
float Draw(const DrawRange& range, core::RandomSource& random);

// One row as its draws make it, before anything is shown: the operands as the product or
// quotient routine left them and the unreduced answer.
struct Exercise {
    engine::Operation Op = Operation::Multiply;
    Fraction First;
    Fraction Second;
    Fraction Answer;
};

// Builds row `row` from its drawn numbers (`secondDraw` is used by row 9 only).
Exercise BuildExercise(int row, float draw, float secondDraw = 0.0f);

// Draws the row's numbers from `random`, in order, and builds it.
Exercise DrawExercise(int row, core::RandomSource& random);

// Where a generated fraction goes: the row, the record (which the receiver may normalise in
// place) and which of the row's fractions it is.
using ShowFractionFn = std::function<void(Int16 row, Fraction& f, ExercisePart part)>;

// Makes the ten exercises, rows 0 to 9 in order, taking eleven numbers from `random`. For each
// row it records the operation code in `taskOps` and shows, in this order, the first operand,
// the second operand and the answer.
void GenerateTasks(TaskOpsTable& taskOps, core::RandomSource& random,
                   const ShowFractionFn& showFraction);

} // namespace engine
