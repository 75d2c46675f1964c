// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the marking of ten rows from arbitrary texts and operation codes.
#include "core/conversions.h"
#include "engine/answer_check.h"

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
std::optional<bool> Judge(const engine::RowTexts& texts, engine::Operation operation)
{
    try {
        return engine::IsRowRight(texts, operation);
    } catch (const core::OverflowError&) {
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
        for (engine::FractionTexts* fraction :
             {&texts[row].FirstOperand, &texts[row].SecondOperand, &texts[row].TypedAnswer}) {
            for (std::string* text :
                 {&fraction->Numerator, &fraction->Denominator, &fraction->Whole}) {
                *text = input.ConsumeRandomLengthString(24);
            }
        }
        // Any code at all, the program's two and others.
        ops[row] = engine::Operation{input.ConsumeIntegral<std::uint8_t>()};
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
    } catch (const core::OverflowError&) {
        // Operands no exercise has; the window never shows such captions.
    }

    for (int row = 0; row < engine::kRowCount; ++row) {
        const std::optional<bool> verdict = Judge(texts[row], ops[row]);
        if (ops[row] != engine::Operation::Multiply) {
            Require(verdict == Judge(texts[row], engine::Operation::Divide));
        }
        // Typing the worked-out answer is always right.
        try {
            const engine::RowTexts& t = texts[row];
            const engine::Fraction first = engine::FractionOf(t.FirstOperand);
            const engine::Fraction second = engine::FractionOf(t.SecondOperand);
            const engine::Fraction answer = engine::ComputedAnswer(first, second, ops[row]);
            engine::RowTexts typed = t;
            typed.TypedAnswer = {core::Int16ToText(answer.Numerator),
                                 core::Int16ToText(answer.Denominator),
                                 core::Int16ToText(answer.Whole)};
            Require(engine::IsRowRight(typed, ops[row]));
        } catch (const core::OverflowError&) {
        }
    }
    return 0;
}
