// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact_ratio.h"

#include <numeric>
#include <stdexcept>

namespace engine {

namespace {

std::int64_t Times(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        throw std::overflow_error("ratio product out of 64 bits");
    }
    return product;
}

std::int64_t Plus(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::overflow_error("ratio sum out of 64 bits");
    }
    return sum;
}

} // namespace

Ratio MakeRatio(std::int64_t num, std::int64_t den)
{
    if (den == 0) {
        throw std::domain_error("ratio with a zero denominator");
    }
    // The lowest 64-bit value has no positive counterpart: refuse it before negating.
    if (num == INT64_MIN || den == INT64_MIN) {
        throw std::overflow_error("ratio out of 64 bits");
    }
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t common = std::gcd(num, den);
    return {num / common, den / common};
}

Ratio operator+(const Ratio& a, const Ratio& b)
{
    const std::int64_t common = std::gcd(a.Den, b.Den);
    const std::int64_t aScale = b.Den / common;
    const std::int64_t bScale = a.Den / common;
    return MakeRatio(Plus(Times(a.Num, aScale), Times(b.Num, bScale)), Times(a.Den, aScale));
}

Ratio operator*(const Ratio& a, const Ratio& b)
{
    // Cross-cancelling first keeps the products as small as they can be.
    // Denominators are positive, so neither divisor is 0.
    const std::int64_t ad = std::gcd(a.Num, b.Den);
    const std::int64_t bc = std::gcd(b.Num, a.Den);
    return MakeRatio(Times(a.Num / ad, b.Num / bc), Times(a.Den / bc, b.Den / ad));
}

Ratio operator/(const Ratio& a, const Ratio& b)
{
    if (b.Num == 0) {
        throw std::domain_error("division of a ratio by zero");
    }
    return a * MakeRatio(b.Den, b.Num);
}

Ratio RatioOf(const Fraction& f)
{
    return MakeRatio(Plus(Times(f.Whole, f.Denominator), f.Numerator), f.Denominator);
}

} // namespace engine
