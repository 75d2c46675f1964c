// The ten exercises of a test: each row has a fixed operation and a fixed pattern of operands
// that random draws fill in.
#pragma once

#include "engine/fraction.h"
#include "toolkit/random_source.h"

#include <array>
#include <cstdint>
#include <functional>

namespace engine {

inline constexpr int kRowCount = 10;

// Operation codes, one per row.
inline constexpr std::uint8_t kMultiply = 1;
inline constexpr std::uint8_t kDivide = 2;
using TaskOpsTable = std::array<std::uint8_t, kRowCount>;
inline constexpr TaskOpsTable kRowOperations = {kMultiply, kDivide, kDivide,   kMultiply, kDivide,
                                                kDivide,   kDivide, kMultiply, kMultiply, kDivide};

// Groups of labels a fraction can be shown in.
inline constexpr std::uint8_t kFirstOperandGroup = 1;
inline constexpr std::uint8_t kSecondOperandGroup = 2;
inline constexpr std::uint8_t kAnswerKeyGroup = 3;

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
float Draw(const DrawRange& range, toolkit::RandomSource& random);

// One row as its draws make it, before anything is shown: the operands as the product or
// quotient routine left them and the unreduced answer.
struct Exercise {
    std::uint8_t Operation = 0;
    Fraction First;
    Fraction Second;
    Fraction Answer;
};

// Builds row `row` from its drawn numbers (`secondDraw` is used by row 9 only).
Exercise BuildExercise(int row, float draw, float secondDraw = 0.0f);

// Draws the row's numbers from `random`, in order, and builds it.
Exercise DrawExercise(int row, toolkit::RandomSource& random);

// Where a generated fraction goes: the row, the record (which the receiver may normalise in
// place) and the label group.
using ShowFractionFn = std::function<void(Int16 row, Fraction& f, std::uint8_t group)>;

// Makes the ten exercises, rows 0 to 9 in order, taking eleven numbers from `random`. For each
// row it records the operation code in `taskOps` and shows, in this order, the first operand,
// the second operand and the answer.
void GenerateTasks(TaskOpsTable& taskOps, toolkit::RandomSource& random,
                   const ShowFractionFn& showFraction);

} // namespace engine
