// SPDX-License-Identifier: GPL-3.0-or-later
// Whole numbers and fractions read out in Russian words, for a screen reader to speak.
//
// A fraction is read the way the pupil sees it written (FractionText): the whole part, then
// the numerator as a feminine cardinal and the denominator as an ordinal that agrees with it
// ("одна целая одна четвёртая", "две третьих"). "ё" is always written.
//
// This unit does not reduce, extract whole parts or otherwise change a value: an improper
// fraction is read as written ("пять третьих"). It knows the nominative and the accusative
// only (the two the exercises need: the first operand, and the second after "умножить на" /
// "разделить на"), and numbers up to 999 999 in absolute value.
#pragma once

#include "engine/fraction.h"

#include <string>

namespace engine {

enum class GrammaticalCase { Nominative, Accusative };

// The cardinal number, masculine, nominative: "ноль", "один", "сто шестьдесят два",
// "две тысячи сорок один", "минус пять". Thousands are counted from one: 1000 is
// "одна тысяча". Throws std::out_of_range beyond ±999 999.
std::string NumberInWords(int n);

// The value as spoken in the given case. With a zero numerator only the whole part is read,
// as a masculine cardinal ("восемь", "один", "ноль"). Otherwise a non-zero whole part comes
// first, feminine and followed by "целая"/"целую"/"целых"; then the numerator, feminine; then
// the ordinal denominator: singular after a numerator ending in 1 but not 11 ("одна вторая",
// "одну вторую", "двадцать одна сотая"), genitive plural otherwise ("две третьих", "три
// двадцать первых"). A negative field is read with "минус" before it; a zero denominator is
// "нулевая"/"нулевых". Never throws for any three 16-bit fields.
std::string FractionInWords(const Fraction& f, GrammaticalCase c);

} // namespace engine
