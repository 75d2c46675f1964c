// SPDX-License-Identifier: GPL-3.0-or-later
// Ends a start-up benchmark run at the window's first painted frame: prints "painted" on
// standard output once the first paint event has been handled, then quits.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Queued, so the frame is painted and flushed first.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool painted_ = false;
};
