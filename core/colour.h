// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as one number: red + 256 x green + 65536 x blue, each level 0..255; 0 is black.
#pragma once

#include <cstdint>

namespace core {

using Colour = std::int32_t;

constexpr Colour Rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
constexpr int RedOf(Colour c)
{
    return c & 0xFF;
}
constexpr int GreenOf(Colour c)
{
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Colour c)
{
    return (c >> 16) & 0xFF;
}

inline constexpr Colour kBlack = 0;

} // namespace core
