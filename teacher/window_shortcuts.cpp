// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace teacher {

namespace {

class ShortcutPriority : public QObject {
public:
    explicit ShortcutPriority(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !window_) {
            return false;
        }
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_) {
            return false;
        }
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : window_->findChildren<QAction*>()) {
            const Qt::ShortcutContext context = action->shortcutContext();
            if (!action->isEnabled() ||
                (context != Qt::WindowShortcut && context != Qt::ApplicationShortcut)) {
                continue;
            }
            if (action->shortcuts().contains(pressed)) {
                // Left unaccepted, the override lets the shortcut run.
                return true;
            }
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
};

} // namespace

void GiveWindowShortcutsPriority(QWidget* window)
{
    // On the application: the key goes to whichever child has the focus, and children come and
    // go. The filter belongs to the window and leaves with it.
    qApp->installEventFilter(new ShortcutPriority(window));
}

} // namespace teacher
