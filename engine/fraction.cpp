// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fraction.h"

#include "core/conversions.h"

#include <cmath>

namespace engine {

using core::Add16;
using core::Mul16;
using core::Sub16;

namespace {

// Divisibility is decided in double precision: the quotient equals its floor.
bool DividesExactly(Int16 divisor, Int16 value)
{
    const double quotient = double(value) / double(divisor);
    return quotient == std::floor(quotient);
}

} // namespace

void ClearFraction(Fraction& f)
{
    f.Numerator = 0;
    f.Denominator = 0;
    f.Whole = 0;
}

void ExtractWhole(Fraction& f)
{
    while (f.Numerator >= f.Denominator) {
        f.Numerator = Sub16(f.Numerator, f.Denominator);
        f.Whole = Add16(f.Whole, 1);
    }
    if (f.Numerator == 0) {
        f.Denominator = 1;
    }
}

void ToImproper(Fraction& f)
{
    f.Numerator = Add16(Mul16(f.Whole, f.Denominator), f.Numerator);
    f.Whole = 0;
}

void ReduceFraction(Fraction& f)
{
    if (f.Whole > 0) {
        ToImproper(f);
    }
    // Deliberate, although it looks wasteful: the limit is taken once, before any division, and
    // the search starts over from 2 after every common factor it removes, so each pass removes
    // the smallest prime factor. The reduced form is the same as with a greatest common divisor;
    // the way there, and where it overflows (32767/32767), is the routine's own.
    const Int16 limit = f.Numerator <= f.Denominator ? f.Numerator : f.Denominator;
    Int16 i = 2;
    while (i <= limit) {
        if (DividesExactly(i, f.Numerator) && DividesExactly(i, f.Denominator)) {
            f.Numerator = core::ToInt16(double(f.Numerator) / double(i));
            f.Denominator = core::ToInt16(double(f.Denominator) / double(i));
            i = 2;
        } else {
            i = Add16(i, 1);
        }
    }
    ExtractWhole(f);
}

void MakeFraction(Fraction& f, float numerator, float denominator)
{
    f.Numerator = core::ToInt16(numerator);
    f.Denominator = core::ToInt16(denominator);
    ExtractWhole(f);
    ReduceFraction(f);
}

void MultiplyFractions(Fraction& result, Fraction& a, Fraction& b)
{
    if (a.Whole > 0) {
        ToImproper(a);
    }
    if (b.Whole > 0) {
        ToImproper(b);
    }
    result.Numerator = Mul16(a.Numerator, b.Numerator);
    result.Denominator = Mul16(a.Denominator, b.Denominator);
}

void DivideFractions(Fraction& result, Fraction& a, Fraction& b)
{
    if (b.Whole > 0) {
        ToImproper(b);
    }
    if (a.Whole > 0) {
        ToImproper(a);
    }
    // Deliberate: the divisor is folded before the dividend, and a zero divisor gives the
    // reciprocal 0/0 rather than an error.
    Fraction reciprocal = b;
    reciprocal.Numerator = b.Numerator == 0 ? Int16{0} : b.Denominator;
    reciprocal.Denominator = b.Numerator;
    MultiplyFractions(result, a, reciprocal);
}

std::string FractionText(const Fraction& f)
{
    std::string whole = std::to_string(f.Whole);
    if (f.Numerator == 0) {
        return whole;
    }
    const std::string part = std::to_string(f.Numerator) + "/" + std::to_string(f.Denominator);
    return f.Whole == 0 ? part : whole + " " + part;
}

} // namespace engine
