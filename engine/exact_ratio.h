// SPDX-License-Identifier: GPL-3.0-or-later
// Exact rational numbers on 64-bit integers, for working out values that the test's 16-bit
// routines would overflow on.
//
// Contents: the Ratio record (always in lowest terms, positive denominator); MakeRatio, sum,
// product and quotient, and RatioOf (a Fraction's value).
//
// Every operation checks its 64-bit arithmetic and throws std::overflow_error rather than
// wrap; a zero denominator or a division by zero throws std::domain_error.
//
// Not here: 16-bit fractions and the test's own arithmetic (fraction.h); reading texts.
#pragma once

#include "engine/fraction.h"

#include <cstdint>

namespace engine {

struct Ratio {
    std::int64_t Num = 0;
    std::int64_t Den = 1;

    friend bool operator==(const Ratio&, const Ratio&) = default;
};

// num/den in lowest terms with a positive denominator.
Ratio MakeRatio(std::int64_t num, std::int64_t den);

Ratio operator+(const Ratio& a, const Ratio& b);
Ratio operator*(const Ratio& a, const Ratio& b);
Ratio operator/(const Ratio& a, const Ratio& b);

// The value Whole + Numerator / Denominator of a fraction.
Ratio RatioOf(const Fraction& f);

} // namespace engine
