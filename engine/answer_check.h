// SPDX-License-Identifier: GPL-3.0-or-later
// Judging a test: each row's answer worked out again from its operands as shown, compared with
// the three numbers the pupil typed, counted and graded.
//
// Contents: the texts of a row (FractionTexts, RowTexts), reading a number from a text
// (NumberOf), the defaults of empty boxes (WithEmptyBoxDefaults), the operands of a row, the
// grade table (GradeFor), the reduced answer of a row (ComputedAnswer), the verdict of one row
// (IsRowRight) and of a whole test (MarkAnswers).
//
// Not here: how a verdict is shown (its caption and colour belong to the window), and where
// the texts come from.
#pragma once

#include "engine/fraction.h"
#include "engine/task_generator.h"

#include <array>
#include <string>

namespace engine {

// A fraction as texts: what its labels show, or what the pupil typed into its boxes.
struct FractionTexts {
    std::string Numerator;
    std::string Denominator;
    std::string Whole;
};

// One row as it is read back for judging: both operands as shown and the typed answer.
struct RowTexts {
    FractionTexts FirstOperand;
    FractionTexts SecondOperand;
    FractionTexts TypedAnswer;
};
using TestTexts = std::array<RowTexts, kRowCount>;

struct Marking {
    std::array<bool, kRowCount> Right{};
    Int16 RightCount = 0;
    std::string GradeText;

    Int16 WrongCount() const { return static_cast<Int16>(kRowCount - RightCount); }
    // The mark shown large: the first character of the grade text.
    std::string MarkText() const { return GradeText.substr(0, 1); }
};

// number(text): the text's leading number rounded half to even into 16 bits. Throws
// core::OverflowError when it does not fit.
Int16 NumberOf(const std::string& text);

// A fraction from its texts, each part read by NumberOf.
Fraction FractionOf(const FractionTexts& texts);

// What an empty answer box holds when a test is judged: 0 in the numerator's box, 1 in the
// denominator's and 0 in the whole-part box. A pupil writes a whole number in the whole-part box
// and leaves the others.
inline constexpr const char* kEmptyNumeratorText = "0";
inline constexpr const char* kEmptyDenominatorText = "1";
inline constexpr const char* kEmptyWholeText = "0";

// The typed texts with every empty box given its default.
FractionTexts WithEmptyBoxDefaults(FractionTexts typed);

// The grade text for a count of right answers.
std::string GradeFor(Int16 rightCount);

// The reduced mixed answer of a row, worked out from its operands with the row's operation.
// Any code other than multiplication divides.
Fraction ComputedAnswer(Fraction first, Fraction second, Operation operation);

// Whether a row is right: the typed whole part, numerator and denominator equal the computed
// answer's. A typed number outside the 16-bit range makes the row wrong.
bool IsRowRight(const RowTexts& texts, Operation operation);

// Judges all ten rows.
Marking MarkAnswers(const TestTexts& texts, const TaskOpsTable& taskOps);

} // namespace engine
