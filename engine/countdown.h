// SPDX-License-Identifier: GPL-3.0-or-later
// The countdown, ten minutes unless a pupil has another time (TestSecondsFrom): the time text
// (ToTime), what a screen reader is told of the time
// left (TimeLeftAnnouncement) and what each tick decides (CountdownTick).
//
// Not here: the timer itself, the colours the blink is drawn in (the window's), and how an
// announcement reaches the screen reader (the toolkit's).
#pragma once

#include "core/int16_arithmetic.h"

#include <optional>
#include <string>

namespace engine {

using core::Int16;

inline constexpr Int16 kTestSeconds = 600;
// The longest time a test may be given: an hour.
inline constexpr Int16 kLongestTestSeconds = 3600;
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
    // What a screen reader says of the time left now, if anything.
    std::optional<std::string> Announcement;
};

// What a screen reader is told when `secondsLeft` seconds are left: «Осталось 5 минут» at 300,
// «Осталась 1 минута» at 60, «Осталось 30 секунд» at 30 and «Время вышло» at 0; nothing at
// any other count. Deliberately a few moments only: a sighted pupil glances at the time, a
// blind pupil must not be talked over every second while typing.
std::optional<std::string> TimeLeftAnnouncement(Int16 secondsLeft);

// The seconds a test starts from for a time allowed of `seconds`: never less than the test's
// ten minutes, never more than an hour.
Int16 TestSecondsFrom(int seconds);

// One tick: takes a second off `secondsLeft` and says what follows from the new count.
TickDecision CountdownTick(Int16& secondsLeft);

} // namespace engine
