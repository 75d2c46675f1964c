// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock.h"

#include <chrono>
#include <ctime>

namespace core {

float SecondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double fraction = duration<double>(now.time_since_epoch()).count() - double(seconds);
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

} // namespace core
