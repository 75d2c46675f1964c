// SPDX-License-Identifier: GPL-3.0-or-later
// The window's timer: raises its event once per interval while the interval is above 0.
#pragma once

#include <functional>

namespace toolkit {

namespace detail {
class TimerObject;
}

class Timer {
public:
    explicit Timer(detail::TimerObject* timer = nullptr) : timer_(timer) {}

    // Milliseconds between events; 0 stops the timer.
    int Interval() const;
    void SetInterval(int milliseconds);
    void OnTimer(std::function<void()> handler);

    // Behaves as if the interval had run out now: a running timer raises its event, or holds it
    // while a message box is open; a stopped one does nothing.
    void Fire();

    // In manual mode (for tests) timers keep their interval but raise events only when fired.
    static void SetManual(bool manual);

private:
    detail::TimerObject* timer_ = nullptr;
};

} // namespace toolkit
