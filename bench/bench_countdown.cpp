// SPDX-License-Identifier: GPL-3.0-or-later
// The countdown's accuracy: the window's timer at its 1000 ms interval over real seconds,
// measured against the one-second schedule from the moment it was started.
// Usage: bench_countdown [TICKS]   (default 60; needs a platform, e.g. QT_QPA_PLATFORM=offscreen)
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    using Clock = std::chrono::steady_clock;

    toolkit::Form form("countdown", 1500, 1500);
    toolkit::Timer timer = form.AddTimer("Timer1");
    std::vector<Clock::time_point> seen;
    timer.OnTimer([&] {
        seen.push_back(Clock::now());
        if (static_cast<int>(seen.size()) == ticks) {
            timer.SetInterval(0);
            QApplication::quit();
        }
    });
    const Clock::time_point start = Clock::now();
    timer.SetInterval(1000);
    QApplication::exec();

    double worstLate = 0;
    double worstEarly = 0;
    for (int k = 0; k < ticks; ++k) {
        const auto due = start + std::chrono::milliseconds(1000 * (k + 1));
        const double late = std::chrono::duration<double, std::milli>(seen[k] - due).count();
        worstLate = std::max(worstLate, late);
        worstEarly = std::min(worstEarly, late);
    }
    const auto lastDue = start + std::chrono::milliseconds(1000 * ticks);
    const double drift = std::chrono::duration<double, std::milli>(seen.back() - lastDue).count();
    std::printf("ticks: %d\nlatest tick: %+.2f ms\nearliest tick: %+.2f ms\n"
                "drift after the last tick: %+.2f ms\n",
                ticks, worstLate, worstEarly, drift);
    return 0;
}
