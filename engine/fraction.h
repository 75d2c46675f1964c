// SPDX-License-Identifier: GPL-3.0-or-later
// Mixed numbers in three 16-bit fields and the exact arithmetic on them.
//
// Contents: the Fraction record; ClearFraction, ExtractWhole, ToImproper, ReduceFraction,
// MakeFraction, MultiplyFractions, DivideFractions; FractionText, the figures a pupil writes.
//
// A Fraction's value is Whole + Numerator / Denominator. The routines change the records they
// are given in place and never return a result; all arithmetic is checked 16-bit arithmetic,
// so a value that leaves -32768..32767 raises core::OverflowError part-way through.
//
// Not here: negative values and zero denominators have no meaning of their own (the quiz never
// makes them); reading fractions aloud (fraction_words).
#pragma once

#include "core/int16_arithmetic.h"

#include <string>

namespace engine {

using core::Int16;

struct Fraction {
    Int16 Numerator = 0;
    Int16 Denominator = 0;
    Int16 Whole = 0;

    friend bool operator==(const Fraction&, const Fraction&) = default;
};

// Sets all three fields to 0: the empty record every result and MakeFraction target starts as.
void ClearFraction(Fraction& f);

// Moves whole multiples of the denominator out of the numerator and adds them to Whole (which
// is added to, not reset); a zero numerator sets the denominator to 1.
void ExtractWhole(Fraction& f);

// Folds Whole into the numerator and sets Whole to 0.
void ToImproper(Fraction& f);

// Brings f to normal form: improper form first if Whole > 0, then trial division from 2 that
// starts over after every common factor it removes, then ExtractWhole.
void ReduceFraction(Fraction& f);

// Fills f's numerator and denominator from two whole numbers held in floats (rounded to 16
// bits, halves to even), keeps its Whole, then extracts the whole part and reduces.
void MakeFraction(Fraction& f, float numerator, float denominator);

// result's numerator and denominator receive a x b in improper form; result's Whole is left as
// it was. An operand whose Whole is above 0 is folded to improper form in place first.
void MultiplyFractions(Fraction& result, Fraction& a, Fraction& b);

// result receives a / b as a product with b's reciprocal; b is folded before a. A divisor
// whose numerator is 0 gives the reciprocal 0/0, so the result's denominator is 0.
void DivideFractions(Fraction& result, Fraction& a, Fraction& b);

// A value as a pupil writes it: "1 3/4", "3/4", "2", "0".
std::string FractionText(const Fraction& f);

} // namespace engine
