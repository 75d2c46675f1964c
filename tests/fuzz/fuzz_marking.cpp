// Fuzzes the marking of ten rows from arbitrary texts and operation codes.
#include "engine/answer_check.h"
#include "toolkit/conversions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// Whether a row is right, or nothing when its operands cannot be worked with in 16 bits.
std::optional<bool> Judge(const engine::RowTexts& texts, std::uint8_t operation)
{
    try {
        return engine::IsRowRight(texts, operation);
    } catch (const toolkit::OverflowError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    engine::TestTexts texts;
    engine::TaskOpsTable ops{};
    for (int row = 0; row < engine::kRowCount; ++row) {
        for (std::string* text :
             {&texts[row].At, &texts[row].Az, &texts[row].Aw, &texts[row].Bt, &texts[row].Bz,
              &texts[row].Bw, &texts[row].Ct, &texts[row].Cz, &texts[row].Cw}) {
            *text = input.ConsumeRandomLengthString(24);
        }
        ops[row] = input.ConsumeIntegral<std::uint8_t>();
    }

    try {
        const engine::Marking marking = engine::MarkAnswers(texts, ops);
        int right = 0;
        for (bool r : marking.Right) {
            right += r ? 1 : 0;
        }
        Require(marking.RightCount == right);
        Require(marking.WrongCount() == 10 - right);
        Require(marking.GradeText == engine::GradeFor(marking.RightCount));
        Require(marking.MarkText().size() == 1);
    } catch (const toolkit::OverflowError&) {
        // Operands no exercise has; the window never shows such captions.
    }

    for (int row = 0; row < engine::kRowCount; ++row) {
        const std::optional<bool> verdict = Judge(texts[row], ops[row]);
        if (ops[row] != engine::kMultiply) {
            Require(verdict == Judge(texts[row], engine::kDivide));
        }
        // Typing the worked-out answer is always right.
        try {
            const engine::RowTexts& t = texts[row];
            const engine::Fraction first = engine::FirstOperandOf(t);
            const engine::Fraction second = engine::SecondOperandOf(t);
            const engine::Fraction answer = engine::ComputedAnswer(first, second, ops[row]);
            engine::RowTexts typed = t;
            typed.Ct = toolkit::Int16ToText(answer.Numerator);
            typed.Cz = toolkit::Int16ToText(answer.Denominator);
            typed.Cw = toolkit::Int16ToText(answer.Whole);
            Require(engine::IsRowRight(typed, ops[row]));
        } catch (const toolkit::OverflowError&) {
        }
    }
    return 0;
}
