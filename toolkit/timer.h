// The window's timer: raises its event once per interval while the interval is above 0.
#pragma once

#include <functional>

namespace toolkit
{

namespace detail
{
class TimerObject;
}

class Timer
{
public:
    explicit Timer(detail::TimerObject* timer = nullptr) : timer_(timer) {}

    // Milliseconds between events; 0 stops the timer.
    int Interval() const;
    void SetInterval(int milliseconds);
    void OnTimer(std::function<void()> handler);

    // Raises the timer's event now, as if the interval had run out.
    void Fire();

    // In manual mode (for tests) timers keep their interval but raise events only when fired.
    static void SetManual(bool manual);

private:
    detail::TimerObject* timer_ = nullptr;
};

} // namespace toolkit
