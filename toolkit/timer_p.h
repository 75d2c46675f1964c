// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

#include <functional>

namespace toolkit::detail {

// A precise QTimer. No event is raised while a message box is open: the events that fall due
// then are held and raised, in order, once the box is closed, unless the timer was stopped
// meanwhile. So the countdown keeps real time, and a box's own handler finishes before the
// next event.
class TimerObject : public QTimer {
    Q_OBJECT
public:
    explicit TimerObject(QObject* parent);
    std::function<void()> handler;
    int interval = 0; // 0 while stopped
    int held = 0;
    static inline bool manual = false;
    void raise();
    // The interval has run out.
    void due();

private:
    void raiseHeld();
};

} // namespace toolkit::detail
