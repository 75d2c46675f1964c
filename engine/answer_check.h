// Judging a handed-in test: each row's answer worked out again from the operands as shown,
// compared with the three numbers the pupil typed, counted and graded.
#pragma once

#include "engine/fraction.h"
#include "engine/task_generator.h"
#include "toolkit/colour.h"

#include <array>
#include <string>

namespace engine {

// The nine texts of a row, in the order they are read: first operand, second operand and the
// pupil's answer, each as numerator, denominator, whole part.
struct RowTexts {
    std::string At, Az, Aw;
    std::string Bt, Bz, Bw;
    std::string Ct, Cz, Cw;
};
using TestTexts = std::array<RowTexts, kRowCount>;

struct Verdict {
    const char* Caption;
    toolkit::Colour ForeColor;
};
inline constexpr Verdict kRightVerdict = {"Ответ верный.", toolkit::Rgb(0, 100, 0)};
inline constexpr Verdict kWrongVerdict = {"Ответ неверный.", toolkit::Rgb(100, 0, 0)};

struct Marking {
    std::array<bool, kRowCount> Right{};
    Int16 RightCount = 0;
    std::string GradeText;

    Int16 WrongCount() const { return static_cast<Int16>(kRowCount - RightCount); }
    // The mark shown large: the first character of the grade text.
    std::string MarkText() const { return GradeText.substr(0, 1); }
};

// number(text): the text's leading number rounded half to even into 16 bits. Throws
// toolkit::OverflowError when it does not fit.
Int16 NumberOf(const std::string& text);

// A row's operands as its texts show them, each part read by NumberOf.
Fraction FirstOperandOf(const RowTexts& texts);
Fraction SecondOperandOf(const RowTexts& texts);

// The grade text for a count of right answers.
std::string GradeFor(Int16 rightCount);

// The reduced mixed answer of a row, worked out from its operands with the code's operation
// (1 multiplies, any other code divides).
Fraction ComputedAnswer(Fraction first, Fraction second, std::uint8_t operation);

// Whether a row is right: the typed whole part, numerator and denominator equal the computed
// answer's. A typed number outside the 16-bit range makes the row wrong.
bool IsRowRight(const RowTexts& texts, std::uint8_t operation);

// Judges all ten rows.
Marking MarkAnswers(const TestTexts& texts, const TaskOpsTable& taskOps);

} // namespace engine
