// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the diagnosis of a wrong answer: any operands a journal row could hold, any operation
// code and any typed texts. It must never throw, its parts must agree with each other, the
// right value typed in normal form must be judged right, and every rule's value typed must name
// that rule (or, where it is the right value, list it beside it).
#include "engine/mistake_diagnosis.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool Holds(const std::vector<engine::Mistake>& list, engine::Mistake m)
{
    return std::find(list.begin(), list.end(), m) != list.end();
}

bool IsForm(engine::Mistake m)
{
    return m == engine::Mistake::NotReduced || m == engine::Mistake::WholeNotTakenOut ||
           m == engine::Mistake::OddForm;
}

engine::Fraction AnyFraction(FuzzedDataProvider& input)
{
    return {input.ConsumeIntegral<core::Int16>(), input.ConsumeIntegral<core::Int16>(),
            input.ConsumeIntegral<core::Int16>()};
}

// A positive value in normal form as three box texts, if each part fits a box.
std::optional<engine::TypedAnswer> Typed(const engine::Ratio& v)
{
    if (v.Num <= 0 || v.Num / v.Den > INT16_MAX || v.Den > INT16_MAX) {
        return std::nullopt;
    }
    const std::int64_t numerator = v.Num % v.Den;
    return engine::TypedAnswer{std::to_string(v.Num / v.Den), std::to_string(numerator),
                               std::to_string(numerator == 0 ? 1 : v.Den)};
}

void CheckConsistent(const engine::Diagnosis& d)
{
    Require(!d.Right || (d.ValueRight && d.Form.empty()));
    Require(d.ValueRight == d.Mistakes.empty());
    Require(std::none_of(d.Mistakes.begin(), d.Mistakes.end(), IsForm));
    Require(std::all_of(d.Form.begin(), d.Form.end(), IsForm));
    Require(engine::DiagnosisWords(d).empty() == d.Right);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    // Mostly the exercises' own small shapes, now and then anything 16 bits hold.
    const bool small = input.ConsumeBool();
    const auto operand = [&] {
        if (!small) {
            return AnyFraction(input);
        }
        return engine::Fraction{input.ConsumeIntegralInRange<core::Int16>(0, 120),
                                input.ConsumeIntegralInRange<core::Int16>(1, 120),
                                input.ConsumeIntegralInRange<core::Int16>(0, 20)};
    };
    const engine::Fraction first = operand();
    const engine::Fraction second = operand();
    const auto op = engine::Operation{input.ConsumeIntegral<std::uint8_t>()};
    engine::TypedAnswer typed;
    typed.Whole = input.ConsumeRandomLengthString(12);
    typed.Numerator = input.ConsumeRandomLengthString(12);
    typed.Denominator = input.ConsumeRandomLengthString(12);

    CheckConsistent(engine::DiagnoseAnswer(op, first, second, typed));

    engine::Ratio right;
    std::vector<engine::RuleValue> rules;
    try {
        right = engine::RightValue(op, first, second);
        rules = engine::RuleValues(op, first, second);
    } catch (const std::exception&) {
        return 0; // a zero denominator or divisor, or a value beyond 64 bits
    }
    if (const auto key = Typed(right)) {
        const engine::Diagnosis d = engine::DiagnoseAnswer(op, first, second, *key);
        CheckConsistent(d);
        Require(d.Right);
    }
    for (const engine::RuleValue& rule : rules) {
        const auto text = Typed(rule.Value);
        if (!text) {
            continue;
        }
        const engine::Diagnosis d = engine::DiagnoseAnswer(op, first, second, *text);
        CheckConsistent(d);
        Require(rule.Value == right ? Holds(d.SameAsRight, rule.Rule)
                                    : Holds(d.Mistakes, rule.Rule));
    }
    return 0;
}
