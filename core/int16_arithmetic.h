// SPDX-License-Identifier: GPL-3.0-or-later
// Checked 16-bit signed arithmetic.
//
// Every whole number the quiz works with is a 16-bit signed value, and every sum, difference,
// product and conversion that would leave -32768..32767 raises OverflowError instead of
// wrapping around silently.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace core {

using Int16 = std::int16_t;

// The program's one overflow error.
class OverflowError : public std::overflow_error {
public:
    OverflowError() : std::overflow_error("Переполнение") {}
};

// Narrows a wider whole number to 16 bits, or throws OverflowError.
constexpr Int16 CheckedInt16(long long value)
{
    if (value < INT16_MIN || value > INT16_MAX) {
        throw OverflowError();
    }
    return static_cast<Int16>(value);
}

constexpr Int16 Add16(Int16 a, Int16 b)
{
    return CheckedInt16(static_cast<long long>(a) + b);
}
constexpr Int16 Sub16(Int16 a, Int16 b)
{
    return CheckedInt16(static_cast<long long>(a) - b);
}
constexpr Int16 Mul16(Int16 a, Int16 b)
{
    return CheckedInt16(static_cast<long long>(a) * b);
}

} // namespace core
