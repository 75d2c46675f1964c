// SPDX-License-Identifier: GPL-3.0-or-later
// The only captions and colours the window sets while it runs: the verdict of a row, and the
// blinking time in the last thirty seconds.
//
// Not here: the decisions themselves (right or wrong, the blink's phase), which are the engine's.
#pragma once

#include "core/colour.h"
#include "engine/countdown.h"

namespace window {

struct VerdictLook {
    const char* Caption;
    core::Colour ForeColor;
};
inline constexpr VerdictLook kRightVerdict = {"Ответ верный.", core::Rgb(0, 100, 0)};
inline constexpr VerdictLook kWrongVerdict = {"Ответ неверный.", core::Rgb(100, 0, 0)};

constexpr const VerdictLook& VerdictFor(bool right)
{
    return right ? kRightVerdict : kWrongVerdict;
}

inline constexpr core::Colour kBlinkRed = core::Rgb(250, 0, 0);

constexpr core::Colour BlinkColour(engine::BlinkPhase phase)
{
    return phase == engine::BlinkPhase::Red ? kBlinkRed : core::kBlack;
}

} // namespace window
