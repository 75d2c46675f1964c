// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the fraction routines on arbitrary records, zero and negative denominators included:
// only the program's overflow error may come out, and on records of the domain (no negative
// field, a denominator of at least 1) every routine keeps its promise exactly.
#include "engine/fraction.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace {

using engine::Fraction;

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool InDomain(const Fraction& f)
{
    return f.Numerator >= 0 && f.Whole >= 0 && f.Denominator >= 1;
}

// Value compared exactly: (w + n/d) = (w' + n'/d') in 64 bits.
bool SameValue(const Fraction& a, const Fraction& b)
{
    const std::int64_t left = (std::int64_t(a.Whole) * a.Denominator + a.Numerator) * b.Denominator;
    const std::int64_t right =
        (std::int64_t(b.Whole) * b.Denominator + b.Numerator) * a.Denominator;
    return left == right;
}

bool IsNormal(const Fraction& f)
{
    if (f.Whole < 0 || f.Numerator < 0 || f.Numerator >= f.Denominator) {
        return false;
    }
    return f.Numerator == 0 ? f.Denominator == 1 : std::gcd(f.Numerator, f.Denominator) == 1;
}

Fraction Consume(FuzzedDataProvider& input)
{
    Fraction f;
    f.Numerator = input.ConsumeIntegral<std::int16_t>();
    f.Denominator = input.ConsumeIntegral<std::int16_t>();
    f.Whole = input.ConsumeIntegral<std::int16_t>();
    return f;
}

void Step(FuzzedDataProvider& input, Fraction& f, Fraction& g, Fraction& result)
{
    const Fraction before = f;
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        engine::ClearFraction(f);
        Require(f == Fraction{});
        break;
    case 1:
        engine::ExtractWhole(f);
        if (InDomain(before)) {
            Require(SameValue(before, f) && f.Numerator < f.Denominator);
        }
        break;
    case 2:
        engine::ToImproper(f);
        Require(f.Whole == 0);
        if (InDomain(before)) {
            Require(SameValue(before, f));
        }
        break;
    case 3:
        engine::ReduceFraction(f);
        if (InDomain(before)) {
            Require(SameValue(before, f) && IsNormal(f));
        }
        break;
    case 4:
        engine::MakeFraction(f, input.ConsumeFloatingPoint<float>(),
                             input.ConsumeFloatingPoint<float>());
        break;
    case 5: {
        const Fraction a = f;
        const Fraction b = g;
        const std::int16_t whole = result.Whole;
        engine::MultiplyFractions(result, f, g);
        Require(result.Whole == whole);
        if (InDomain(a) && InDomain(b)) {
            Require(SameValue(a, f) && SameValue(b, g));
            Require(std::int64_t(result.Numerator) * a.Denominator * b.Denominator ==
                    (std::int64_t(a.Whole) * a.Denominator + a.Numerator) *
                        (std::int64_t(b.Whole) * b.Denominator + b.Numerator) * result.Denominator);
        }
        break;
    }
    case 6:
        engine::DivideFractions(result, f, g);
        break;
    default:
        std::swap(f, g);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Fraction f = Consume(input);
    Fraction g = Consume(input);
    Fraction result = Consume(input);
    for (int i = 0; i < 8 && input.remaining_bytes() > 0; ++i) {
        try {
            Step(input, f, g, result);
        } catch (const core::OverflowError&) {
            // The one error the routines may raise; the records may be partly updated.
        }
    }
    return 0;
}
