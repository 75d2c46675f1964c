// SPDX-License-Identifier: GPL-3.0-or-later
// Positions and sizes are written in twips; 15 twips make one device-independent pixel, so
// Qt's own high-DPI scaling keeps the layout in proportion on any screen.
#pragma once

namespace toolkit {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    const int half = kTwipsPerPixel / 2;
    return (twips >= 0 ? twips + half : twips - half) / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace toolkit
