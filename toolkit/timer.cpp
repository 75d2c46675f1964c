// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/timer.h"

#include "toolkit/message_box.h"
#include "toolkit/program.h"
#include "toolkit/timer_p.h"

#include <QPointer>

#include <algorithm>

namespace toolkit {

namespace detail {

TimerObject::TimerObject(QObject* parent) : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
    connect(this, &QTimer::timeout, this, &TimerObject::due);
}

void TimerObject::raise()
{
    if (handler) {
        RunEventHandler(handler);
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
    while (held > 0 && interval > 0) {
        --held;
        raise();
    }
    if (interval == 0) {
        held = 0;
    }
}

} // namespace detail

int Timer::Interval() const
{
    return timer_->interval;
}

void Timer::SetInterval(int milliseconds)
{
    timer_->held = 0;
    timer_->interval = std::max(milliseconds, 0);
    if (timer_->interval == 0 || detail::TimerObject::manual) {
        timer_->stop();
    } else {
        timer_->start(milliseconds);
    }
}

void Timer::SetManual(bool manual)
{
    detail::TimerObject::manual = manual;
}

void Timer::OnTimer(std::function<void()> handler)
{
    timer_->handler = std::move(handler);
}

void Timer::Fire()
{
    if (timer_->interval > 0) {
        timer_->due();
    }
}

} // namespace toolkit
