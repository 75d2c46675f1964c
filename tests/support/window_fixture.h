// Helpers for driving the real window: a Form1 on a scripted random source, and a watcher that
// reads and closes every message box that opens.
#pragma once

#include "tests/support/scripted_random_source.h"
#include "toolkit/look.h"
#include "toolkit/timer.h"
#include "window/test_flow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A label's caption as Qt text, for comparing with literals.
inline QString Caption(const toolkit::Label& label)
{
    return QString::fromStdString(label.Caption());
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Closes each message box shortly after it opens, first noting what it said and running
// `whileOpen`, if set.
class MessageBoxCloser : public QObject {
public:
    MessageBoxCloser()
    {
        connect(&poll_, &QTimer::timeout, this, [this] { closeOpenBox(); });
        poll_.start(5);
    }

    QList<SeenBox> seen;
    std::function<void()> whileOpen;
    // When set, the box is closed by pressing this key rather than by clicking OK.
    std::optional<Qt::Key> closeKey;

private:
    void closeOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        poll_.stop(); // whileOpen may wait, and the same box must not be handled twice
        seen.append({box->windowTitle(), box->text(), box->icon()});
        if (whileOpen) {
            whileOpen();
        }
        if (closeKey) {
            QTest::keyClick(box, *closeKey);
        }
        if (box->isVisible()) {
            box->button(QMessageBox::Ok)->click();
            keyDidNotClose = closeKey.has_value();
        }
        poll_.start();
    }

    QTimer poll_;

public:
    bool keyDidNotClose = false;
};

// A window on a random source that always returns `number`, shown, with its timer in manual
// mode: ticks come only when a test fires them.
struct WindowFixture {
    explicit WindowFixture(float number = 0.0f) : WindowFixture(std::vector<float>{number}) {}
    explicit WindowFixture(std::vector<float> numbers) : random(std::move(numbers))
    {
        toolkit::Timer::SetManual(true);
        static const bool programLook = (toolkit::ApplyProgramLook(*qApp), true);
        Q_UNUSED(programLook);
        form = std::make_unique<window::Form1>(random);
        form->Show();
        QApplication::setActiveWindow(w().Form1->Widget());
        if (!QTest::qWaitForWindowActive(w().Form1->Widget())) {
            qWarning("the window did not become active");
        }
    }

    window::MainWindowLayout& w() { return form->Controls(); }

    void start() { QTest::mouseClick(w().Command1.Widget(), Qt::LeftButton); }
    void handIn() { QTest::mouseClick(w().Command2.Widget(), Qt::LeftButton); }
    void tick() { w().Timer1.Fire(); }
    // Types each character as a key press, Cyrillic letters included.
    void type(toolkit::TextBox& box, const QString& text)
    {
        for (const QChar c : text) {
            const QChar upper = c.toUpper();
            const auto key = upper.unicode() < 0x80 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, box.Widget(), key, QString(c), Qt::NoModifier);
        }
    }
    QString text(toolkit::TextBox& box) { return static_cast<QLineEdit*>(box.Widget())->text(); }

    ScriptedRandomSource random;
    std::unique_ptr<window::Form1> form;
};
