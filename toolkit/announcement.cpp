// SPDX-License-Identifier: GPL-3.0-or-later
// The notification object behind Announce and its one label, both without a widget of their
// own; they read the announcer's current text each time they are asked.
#include "toolkit/announcement.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace toolkit {

namespace {

// What is being said, and about which control. One announcer serves the whole program.
struct Announcer {
    QPointer<QWidget> about;
    QString text;
    QAccessible::Id notice = 0;
    QAccessible::Id line = 0;
};

Announcer& TheAnnouncer()
{
    static Announcer announcer;
    return announcer;
}

// What the notification and its label share: no object, the control's window and place, the
// current text, shown while there is a control and a text.
class AnnouncedPart : public QAccessibleInterface {
public:
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        const QWidget* about = TheAnnouncer().about;
        return about ? about->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? TheAnnouncer().text : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override
    {
        const QWidget* about = TheAnnouncer().about;
        return about ? QRect(about->mapToGlobal(QPoint(0, 0)), about->size()) : QRect();
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const bool shown = TheAnnouncer().about && !TheAnnouncer().text.isEmpty();
        state.invisible = !shown;
        state.offscreen = !shown;
        return state;
    }
};

// The label inside the notification: Orca reads a notification's labels.
class AnnouncedLine : public AnnouncedPart {
public:
    QAccessibleInterface* parent() const override
    {
        return QAccessible::accessibleInterface(TheAnnouncer().notice);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
};

// The notification. Its parent is the control it speaks about, which does not list it.
class Notice : public AnnouncedPart {
public:
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(TheAnnouncer().about.data());
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::accessibleInterface(TheAnnouncer().line) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child == QAccessible::accessibleInterface(TheAnnouncer().line) ? 0 : -1;
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
};

void Raise(QAccessible::Id id, QAccessible::Event type)
{
    QAccessibleEvent event(QAccessible::accessibleInterface(id), type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void Announce(const Control& about, const std::string& text)
{
    if (text.empty() || !about.Widget()) {
        return;
    }
    Announcer& announcer = TheAnnouncer();
    if (announcer.notice == 0 || !QAccessible::accessibleInterface(announcer.notice)) {
        announcer.notice = QAccessible::registerAccessibleInterface(new Notice);
        announcer.line = QAccessible::registerAccessibleInterface(new AnnouncedLine);
    }
    announcer.about = about.Widget();
    announcer.text = QString::fromStdString(text);
    // The names first, so that a reader holding the last text asks again; then the showing,
    // which is what a screen reader speaks.
    Raise(announcer.line, QAccessible::NameChanged);
    Raise(announcer.notice, QAccessible::NameChanged);
    Raise(announcer.notice, QAccessible::ObjectShow);
}

} // namespace toolkit
