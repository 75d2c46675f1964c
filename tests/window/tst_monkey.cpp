// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded monkey on the real window: tens of thousands of random key presses, pastes, focus
// moves, clicks and ticks, with the window's promises checked after every one of them.
#include "engine/answer_check.h"
#include "engine/countdown.h"
#include "tests/support/window_fixture.h"
#include "window/fraction_display.h"
#include "window/run_time_looks.h"

#include <QClipboard>
#include <QMainWindow>

#include <random>

namespace {

constexpr int kSteps = 15000;

class Monkey {
public:
    Monkey(WindowFixture& f, unsigned seed) : f_(f), w_(f.w()), rng_(seed) {}

    // One random thing a pupil could do, or a second passing.
    void act()
    {
        const int roll = pick(0, 999);
        if (roll < 520) {
            typeCharacter();
        } else if (roll < 540) {
            pasteText();
        } else if (roll < 640) {
            moveFocus();
        } else if (roll < 650) {
            clickIfShown(w_.Command1);
        } else if (roll < 656) {
            clickIfShown(w_.Command2);
        } else if (roll < 659) {
            (pick(0, 1) ? w_.Autmn : w_.sp).Action()->trigger();
        } else if (roll < 700) {
            editKey();
        } else {
            w_.Timer1.Fire(); // a second passes; a stopped timer stays silent
        }
    }

    // What must hold after every step.
    void verify()
    {
        const window::Form1& form = *f_.form;
        using Seam = window::Form1TestSeam;
        const bool started = !w_.Command1.Visible();
        QVERIFY(Seam::SecondsLeft(form) >= 0);
        if (started) {
            QVERIFY(w_.TL.Visible() && w_.Frame1.Visible() && w_.Command2.Visible());
            QCOMPARE(Caption(w_.TL),
                     QString::fromStdString(engine::ToTime(Seam::SecondsLeft(form))));
        }

        const bool running = w_.Timer1.Interval() > 0;
        if (everStopped_) {
            QVERIFY2(!running, "the countdown started again");
            QCOMPARE(int(Seam::SecondsLeft(form)), stoppedAt_);
        } else if (started && !running) {
            everStopped_ = true;
            stoppedAt_ = Seam::SecondsLeft(form);
        }

        const bool checked = !w_.Result(0).Caption().empty();
        everChecked_ = everChecked_ || checked;
        QCOMPARE(checked, everChecked_);
        for (int row = 0; row < engine::kRowCount; ++row) {
            for (auto* box : {&w_.Cw(row), &w_.Ct(row), &w_.Cz(row)}) {
                QCOMPARE(box->Enabled(), !checked);
            }
        }
        if (!checked) {
            return;
        }

        // The verdicts, the counts and the mark agree with each other and with the engine's
        // judgement of the texts now on the window.
        engine::TestTexts texts;
        for (int row = 0; row < engine::kRowCount; ++row) {
            texts[row] = window::RowTextsOf(w_, row);
        }
        const engine::Marking marking = engine::MarkAnswers(texts, Seam::TaskOps(form));
        int right = 0;
        for (int row = 0; row < engine::kRowCount; ++row) {
            const window::VerdictLook& verdict = window::VerdictFor(marking.Right[row]);
            QCOMPARE(w_.Result(row).Caption(), std::string(verdict.Caption));
            QCOMPARE(w_.Result(row).ForeColor(), verdict.ForeColor);
            right += w_.Result(row).Caption() == window::kRightVerdict.Caption ? 1 : 0;
        }
        QCOMPARE(Caption(w_.RA).toInt() + Caption(w_.NR).toInt(), 10);
        QCOMPARE(Caption(w_.RA).toInt(), right);
        QCOMPARE(w_.Mrk.Caption(), marking.MarkText());
        QCOMPARE(Seam::GradeText(form), marking.GradeText);
        for (auto* shown : {&w_.Mrk, &w_.RA, &w_.NR, &w_.Label5, &w_.Label6}) {
            QVERIFY(shown->Visible());
        }
    }

    bool everChecked() const { return everChecked_; }
    bool everStopped() const { return everStopped_; }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    toolkit::TextBox& anyBox()
    {
        const int row = pick(0, engine::kRowCount - 1);
        switch (pick(0, 2)) {
        case 0:
            return w_.Cw(row);
        case 1:
            return w_.Ct(row);
        default:
            return w_.Cz(row);
        }
    }

    // Mostly where the focus is, as a pupil types; sometimes any box, locked or not.
    QWidget* target()
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus && pick(0, 3) != 0) {
            return focus;
        }
        return anyBox().Widget();
    }

    QChar randomCharacter()
    {
        static const QString kSigns = "+-.,/:;=()[]!? \t";
        switch (pick(0, 5)) {
        case 0:
        case 1:
            return QChar('0' + pick(0, 9));
        case 2:
            return kSigns[pick(0, int(kSigns.size()) - 1)];
        case 3:
            return QChar(pick(0, 1) ? 'a' + pick(0, 25) : 'A' + pick(0, 25));
        case 4:
            return QChar(0x0410 + pick(0, 63)); // А..я
        default:
            return QChar(pick(1, 31)); // control characters
        }
    }

    void typeCharacter()
    {
        const QChar c = randomCharacter();
        const QChar upper = c.toUpper();
        const auto key = upper.unicode() >= 0x20 && upper.unicode() < 0x80
                             ? Qt::Key(upper.unicode())
                             : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, target(), key, QString(c), Qt::NoModifier);
    }

    void pasteText()
    {
        QString text;
        const int length = pick(0, 3) == 0 ? pick(1000, 20000) : pick(1, 40);
        for (int i = 0; i < length; ++i) {
            text += randomCharacter();
        }
        QApplication::clipboard()->setText(text);
        QTest::keyClick(target(), Qt::Key_V, Qt::ControlModifier);
    }

    void moveFocus()
    {
        if (QWidget* focus = QApplication::focusWidget()) {
            QTest::keyClick(focus, Qt::Key_Tab, pick(0, 1) ? Qt::ShiftModifier : Qt::NoModifier);
        } else {
            anyBox().SetFocus();
        }
    }

    void editKey()
    {
        static const Qt::Key kKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                        Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                                        Qt::Key_Return,    Qt::Key_Escape, Qt::Key_Space,
                                        Qt::Key_A,         Qt::Key_Z,      Qt::Key_X};
        const Qt::Key key = kKeys[pick(0, std::size(kKeys) - 1)];
        const bool control = key == Qt::Key_A || key == Qt::Key_Z || key == Qt::Key_X;
        QTest::keyClick(target(), key, control ? Qt::ControlModifier : Qt::NoModifier);
    }

    void clickIfShown(toolkit::CommandButton& button)
    {
        if (button.Visible()) {
            QTest::mouseClick(button.Widget(), Qt::LeftButton);
        }
    }

    WindowFixture& f_;
    window::MainWindowLayout& w_;
    std::mt19937 rng_;
    bool everChecked_ = false;
    bool everStopped_ = false;
    int stoppedAt_ = 0;
};

std::vector<float> RandomNumbers(unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<float> numbers;
    numbers.reserve(11);
    for (int i = 0; i < 11; ++i) {
        numbers.push_back(std::uniform_real_distribution<float>(0.0f, 1.0f)(rng));
    }
    return numbers;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomPupil_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 2") << 2u;
    }
    void randomPupil()
    {
        QFETCH(unsigned, seed);
        MessageBoxCloser boxes;
        WindowFixture f(RandomNumbers(seed));
        Monkey monkey(f, seed);
        for (int step = 0; step < kSteps; ++step) {
            try {
                monkey.act();
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QString("step %1: %2").arg(step).arg(e.what())));
            }
            monkey.verify();
            if (QTest::currentTestFailed()) {
                qWarning("failed at step %d", step);
                return;
            }
        }
        // The run went through a whole test: started, checked and stopped.
        QVERIFY(monkey.everChecked());
        QVERIFY(monkey.everStopped());
        QVERIFY(f.w().Window->Widget()->isVisible());
        for (const SeenBox& box : boxes.seen) {
            QVERIFY(box.text.startsWith("Ваша оценка ") || box.text.startsWith("Время вышло.") ||
                    box.title == "Автор" || box.title == " ");
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
