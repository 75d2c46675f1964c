// SPDX-License-Identifier: GPL-3.0-or-later
// The ten-minute countdown: the time text (ToTime) and what each tick decides (CountdownTick).
//
// Not here: the timer itself, and the colours the blink is drawn in (the window's).
#pragma once

#include "core/int16_arithmetic.h"

#include <optional>
#include <string>

namespace engine {

using core::Int16;

inline constexpr Int16 kTestSeconds = 600;
inline constexpr int kTickMilliseconds = 1000;
// From this many seconds left the time blinks: red on even counts, black on odd.
inline constexpr Int16 kBlinkFrom = 30;
enum class BlinkPhase { Red, Black };

// Hours, minutes and seconds, two digits each, separated by ":" ("00:10:00"). A negative count
// keeps its sign in the seconds part ("00:00:-1", "00:00:0-10").
std::string ToTime(Int16 seconds);

struct TickDecision {
    // The count reached 0 or less: the test is over.
    bool TimedOut = false;
    // The phase of the blink the time text takes now, if it changes.
    std::optional<BlinkPhase> Blink;
};

// One tick: takes a second off `secondsLeft` and says what follows from the new count.
TickDecision CountdownTick(Int16& secondsLeft);

} // namespace engine
