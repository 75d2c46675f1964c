#include "toolkit/timer.h"

#include "toolkit/message_box.h"
#include "toolkit/timer_p.h"

#include <QPointer>

namespace toolkit
{

namespace detail
{

TimerObject::TimerObject(QObject* parent) : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
    connect(this, &QTimer::timeout, this, &TimerObject::due);
}

void TimerObject::raise()
{
    if (handler) {
        handler();
    }
}

void TimerObject::due()
{
    if (!MessageBoxOpen()) {
        raise();
        return;
    }
    if (held++ == 0) {
        WhenNoMessageBox([self = QPointer<TimerObject>(this)] {
            if (self) {
                self->raiseHeld();
            }
        });
    }
}

void TimerObject::raiseHeld()
{
    while (held > 0 && isActive() && !MessageBoxOpen()) {
        --held;
        raise();
    }
    if (!isActive()) {
        held = 0;
    }
}

} // namespace detail

int Timer::Interval() const
{
    return timer_->isActive() ? timer_->interval() : 0;
}

void Timer::SetInterval(int milliseconds)
{
    timer_->held = 0;
    if (milliseconds <= 0) {
        timer_->stop();
    } else {
        timer_->start(milliseconds);
    }
}

void Timer::OnTimer(std::function<void()> handler)
{
    timer_->handler = std::move(handler);
}

void Timer::Fire()
{
    timer_->raise();
}

} // namespace toolkit
