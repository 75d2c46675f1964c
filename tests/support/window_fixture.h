// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on a scripted random source, shown, with its timer in manual mode, and the
// keys a pupil types.
#pragma once

#include "tests/support/caption.h"
#include "tests/support/form1_test_seam.h"
#include "tests/support/message_box_closer.h"
#include "tests/support/scripted_random_source.h"
#include "toolkit/look.h"
#include "toolkit/timer.h"
#include "window/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include <memory>
#include <vector>

// A window on a random source that always returns `number`, shown, with its timer in manual
// mode: ticks come only when a test fires them.
struct WindowFixture {
    explicit WindowFixture(float number = 0.0f) : WindowFixture(std::vector<float>{number}) {}
    // `ask` and `classes`: whether «Начать тест» first asks who takes the test, and the list.
    explicit WindowFixture(std::vector<float> numbers, window::AskWho ask = window::AskWho::Nobody,
                           std::vector<window::RosterClass> classes = {})
        : random(std::move(numbers))
    {
        toolkit::Timer::SetManual(true);
        static const bool programLook = (toolkit::ApplyProgramLook(*qApp), true);
        Q_UNUSED(programLook);
        form = std::make_unique<window::Form1>(
            random, [this](const engine::AttemptRecord& record) { reports.push_back(record); },
            window::TestTaker{ask, [classes] { return classes; },
                              [this](const std::optional<window::PupilChoice>& choice) {
                                  choices.push_back(choice);
                                  return secondsAllowed;
                              }});
        form->Show();
        QApplication::setActiveWindow(w().Window->Widget());
        if (!QTest::qWaitForWindowActive(w().Window->Widget())) {
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

    // The window's variables, through the seam made for tests.
    int secondsLeft() const { return window::Form1TestSeam::SecondsLeft(*form); }
    void setSecondsLeft(int seconds)
    {
        window::Form1TestSeam::SetSecondsLeft(*form, core::Int16(seconds));
    }
    const engine::TaskOpsTable& taskOps() const { return window::Form1TestSeam::TaskOps(*form); }

    ScriptedRandomSource random;
    // The time the window is given when the test starts, and who it was told took the test
    // each time one started.
    int secondsAllowed = 600;
    std::vector<std::optional<window::PupilChoice>> choices;
    // Every record the window reported, in order.
    std::vector<engine::AttemptRecord> reports;
    std::unique_ptr<window::Form1> form;
};
