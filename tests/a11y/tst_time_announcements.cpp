// SPDX-License-Identifier: GPL-3.0-or-later
// The time left told to a screen reader, tick by tick, on the real window: which accessibility
// events the window raises, caught before they reach the bus.
//
// It runs on a real X server with the accessibility bus (with-atspi.sh): Qt raises accessibility
// events only while a screen reader, or the bus, has asked for them, and the offscreen platform
// never does. What arrives on the bus itself is checked by announcements_on_bus.py.
#include "tests/support/window_fixture.h"

#include <QAccessible>

#include <functional>

namespace {

// One announcement as the window's tick raised it: the count it was raised at, what the
// notification and its label said, and whether a message box was already open.
struct Heard {
    int secondsLeft;
    QString notice;
    QString line;
    bool boxOpen;
    bool operator==(const Heard&) const = default;
};

// Records every notification that shows while it lives, in place of Qt's own handling.
class ShowListener {
public:
    explicit ShowListener(std::function<int()> secondsLeft) : secondsLeft_(std::move(secondsLeft))
    {
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&ShowListener::Handle);
    }
    ~ShowListener()
    {
        QAccessible::installUpdateHandler(previous_);
        current_ = nullptr;
    }
    ShowListener(const ShowListener&) = delete;
    ShowListener& operator=(const ShowListener&) = delete;

    QList<Heard> heard;
    // A notification that did not read as a shown object with one label of its own.
    QStringList malformed;

private:
    static void Handle(QAccessibleEvent* event)
    {
        QAccessibleInterface* face = event->accessibleInterface();
        if (!current_ || event->type() != QAccessible::ObjectShow || !face) {
            return;
        }
        if (face->role() != QAccessible::Notification) {
            return; // the message box and the answer key show too
        }
        QAccessibleInterface* line = face->child(0);
        const QString name = face->text(QAccessible::Name);
        if (face->state().invisible || face->childCount() != 1 || !line ||
            line->role() != QAccessible::StaticText || line->state().invisible ||
            line->parent() != face) {
            current_->malformed.append(name);
        }
        current_->heard.append({current_->secondsLeft_(), name,
                                line ? line->text(QAccessible::Name) : QString("<no label>"),
                                QApplication::activeModalWidget() != nullptr});
    }

    static inline ShowListener* current_ = nullptr;
    std::function<int()> secondsLeft_;
    QAccessible::UpdateHandler previous_ = nullptr;
};

} // namespace

class TimeAnnouncementsTest : public QObject {
    Q_OBJECT

private slots:
    // The bridge turns accessibility on once it has reached the bus, a moment after the start.
    void initTestCase() { QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000); }

    // A whole test left to run out: the time left is announced at 5 minutes, 1 minute and 30
    // seconds, and at the time out before its message box opens; at no other tick. The focus
    // stays in the box the pupil is typing in, and no widget is added to the window.
    void wholeTestAnnouncesFourMoments()
    {
        MessageBoxCloser boxes;
        WindowFixture f;
        auto& w = f.w();
        f.start();
        w.Ct(3).SetFocus();
        const QList<QWidget*> widgetsBefore = w.Window->Widget()->findChildren<QWidget*>();
        ShowListener listener([&f] { return f.secondsLeft(); });
        QWidget* focusAfterFirst = nullptr;
        while (boxes.seen.isEmpty() && f.secondsLeft() > -5) {
            f.tick();
            if (listener.heard.size() == 1 && !focusAfterFirst) {
                focusAfterFirst = QApplication::focusWidget();
            }
        }
        const QList<Heard> expected{{300, "Осталось 5 минут", "Осталось 5 минут", false},
                                    {60, "Осталась 1 минута", "Осталась 1 минута", false},
                                    {30, "Осталось 30 секунд", "Осталось 30 секунд", false},
                                    {0, "Время вышло", "Время вышло", false}};
        QCOMPARE(listener.heard, expected);
        QCOMPARE(listener.malformed, QStringList());
        QCOMPARE(focusAfterFirst, w.Ct(3).Widget());
        QCOMPARE(w.Window->Widget()->findChildren<QWidget*>(), widgetsBefore);
        QCOMPARE(boxes.seen.size(), 1);
    }

    // Handing in early ends the countdown: nothing more is announced.
    void handInSilencesTheCountdown()
    {
        MessageBoxCloser boxes;
        WindowFixture f;
        f.start();
        ShowListener listener([&f] { return f.secondsLeft(); });
        f.setSecondsLeft(302);
        f.tick();
        f.handIn();
        QCOMPARE(boxes.seen.size(), 1);
        for (int i = 0; i < 5; ++i) {
            f.tick(); // would reach 300 if the countdown still ran
        }
        QVERIFY(listener.heard.isEmpty());
    }
};

QTEST_MAIN(TimeAnnouncementsTest)
#include "tst_time_announcements.moc"
