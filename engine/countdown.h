// The ten-minute countdown: the time text and what each tick decides.
#pragma once

#include "toolkit/colour.h"
#include "toolkit/int16_arithmetic.h"

#include <optional>
#include <string>

namespace engine {

using toolkit::Int16;

inline constexpr Int16 kTestSeconds = 600;
inline constexpr int kTickMilliseconds = 1000;
// From this many seconds left the time blinks: red on even counts, black on odd.
inline constexpr Int16 kBlinkFrom = 30;
inline constexpr toolkit::Colour kBlinkRed = toolkit::Rgb(250, 0, 0);

// Hours, minutes and seconds, two digits each, separated by ":" ("00:10:00"). A negative count
// keeps its sign in the seconds part ("00:00:-1", "00:00:0-10").
std::string ToTime(const Int16& seconds);

struct TickDecision {
    // The count reached 0 or less: the test is over.
    bool TimedOut = false;
    // The colour the time text takes now, if it changes.
    std::optional<toolkit::Colour> ForeColor;
};

// One tick: takes a second off `secondsLeft` and says what follows from the new count.
TickDecision CountdownTick(Int16& secondsLeft);

} // namespace engine
