// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/countdown.h"

#include "core/conversions.h"

#include <algorithm>
#include <cmath>

namespace engine {

using core::Add16;
using core::Sub16;

namespace {

// Two characters as they stand, anything else behind a "0": 7 gives "07", -1 gives "-1",
// -10 gives "0-10". The odd forms for negative counts are kept on purpose: the countdown never
// shows them, and the rule is the time text's own.
std::string TimePart(Int16 value)
{
    std::string text = core::NumberToText(value);
    text.erase(0, text.find_first_not_of(' '));
    return text.size() == 2 ? core::Int16ToText(value) : "0" + core::Int16ToText(value);
}

} // namespace

std::string ToTime(Int16 seconds)
{
    Int16 s = seconds;
    Int16 m = 0;
    Int16 h = 0;
    for (;;) {
        while (s >= 60) {
            s = Sub16(s, 60);
            m = Add16(m, 1);
        }
        if (m < 60) {
            break;
        }
        m = Sub16(m, 60);
        h = Add16(h, 1);
    }
    return TimePart(h) + ":" + TimePart(m) + ":" + TimePart(s);
}

std::optional<std::string> TimeLeftAnnouncement(Int16 secondsLeft)
{
    switch (secondsLeft) {
    case 300:
        return "Осталось 5 минут";
    case 60:
        return "Осталась 1 минута";
    case 30:
        return "Осталось 30 секунд";
    case 0:
        return "Время вышло";
    default:
        return std::nullopt;
    }
}

Int16 TestSecondsFrom(int seconds)
{
    return static_cast<Int16>(std::clamp(seconds, int(kTestSeconds), int(kLongestTestSeconds)));
}

TickDecision CountdownTick(Int16& secondsLeft)
{
    secondsLeft = Sub16(secondsLeft, 1);
    TickDecision decision;
    decision.TimedOut = secondsLeft <= 0;
    if (secondsLeft <= kBlinkFrom) {
        const double half = secondsLeft / 2.0;
        const bool even = half == std::trunc(half);
        decision.Blink = even ? BlinkPhase::Red : BlinkPhase::Black;
    }
    decision.Announcement = TimeLeftAnnouncement(secondsLeft);
    return decision;
}

} // namespace engine
