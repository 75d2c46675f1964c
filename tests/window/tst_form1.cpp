// SPDX-License-Identifier: GPL-3.0-or-later
// A whole test on the real window: start, typing, countdown, hand-in, time-out, menu.
#include "engine/answer_check.h"
#include "engine/attempt_review.h"
#include "tests/support/window_fixture.h"

#include <QMainWindow>
#include <QMenu>

namespace {

QColor TextColour(toolkit::Control& control)
{
    return control.Widget()->palette().color(QPalette::WindowText);
}

const QString kRight = "Ответ верный.";
const QString kWrong = "Ответ неверный.";

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;
    std::unique_ptr<MessageBoxCloser> boxes;

    void startWith(float number)
    {
        f = std::make_unique<WindowFixture>(number);
        f->start();
    }

    // The answer key, typed as a pupil would: nothing where the key shows nothing.
    void typeTheAnswerKey()
    {
        auto& w = f->w();
        for (int row = 0; row < 10; ++row) {
            if (w.Dt(row).Visible()) {
                f->type(w.Ct(row), Caption(w.Dt(row)));
                f->type(w.Cz(row), Caption(w.Dz(row)));
            }
            if (w.Dw(row).Visible()) {
                f->type(w.Cw(row), Caption(w.Dw(row)));
            }
        }
    }

    QStringList Verdicts()
    {
        QStringList verdicts;
        for (int row = 0; row < 10; ++row) {
            verdicts << Caption(f->w().Result(row));
        }
        return verdicts;
    }

private slots:
    void init() { boxes = std::make_unique<MessageBoxCloser>(); }
    void cleanup()
    {
        f.reset();
        boxes.reset();
    }

    void startShowsTheTest()
    {
        startWith(0.0f);
        auto& w = f->w();
        QCOMPARE(w.Timer1.Interval(), 1000);
        QVERIFY(w.Frame1.Visible());
        QVERIFY(!w.Command1.Visible());
        QVERIFY(w.TL.Visible());
        QCOMPARE(Caption(w.TL), "00:10:00");
        QVERIFY(w.Label1.Visible());
        QVERIFY(w.Command2.Visible());
        QVERIFY(!w.Frame2.Visible());
        QCOMPARE(f->taskOps(), engine::kRowOperations);
        // Row 2 from a source of zeros is 4 : 1/2 = 8: a whole number beside a fraction.
        QCOMPARE(Caption(w.Aw(2)), "4");
        QVERIFY(!w.At(2).Visible());
        QCOMPARE(w.Aw(2).Left(), 480);
        QCOMPARE(Caption(w.Dw(2)), "8");
        QVERIFY(!w.Line1(3).Visible());
        QVERIFY(w.Line1(13).Visible());
    }

    // The start button works once: a click that still reaches it after it has hidden itself
    // (a key press queued behind a mouse click) does not make a new test.
    void startButtonWorksOnce()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->tick();
        f->type(w.Ct(0), "1");
        static_cast<QAbstractButton*>(w.Command1.Widget())->click();
        QTest::keyClick(w.Command1.Widget(), Qt::Key_Return);
        QCOMPARE(Caption(w.TL), "00:09:59");
        QCOMPARE(f->secondsLeft(), 599);
        QCOMPARE(f->random.Taken(), 11);
        QCOMPARE(f->text(w.Ct(0)), "1");
    }

    // The road of one row: n = 3 in row 0 is 1/3 x 3/4 = 1/4.
    void roadOfOneRow()
    {
        startWith(0.125f);
        auto& w = f->w();
        QCOMPARE(Caption(w.At(0)), "1");
        QCOMPARE(Caption(w.Az(0)), "3");
        QCOMPARE(Caption(w.Aw(0)), "0");
        QVERIFY(!w.Aw(0).Visible());
        QCOMPARE(Caption(w.Bt(0)), "3");
        QCOMPARE(Caption(w.Bz(0)), "4");
        QCOMPARE(Caption(w.Dt(0)), "1");
        QCOMPARE(Caption(w.Dz(0)), "4");

        f->type(w.Ct(0), "1");
        f->type(w.Cz(0), "4");
        f->handIn();
        QCOMPARE(f->text(w.Cw(0)), "0");
        QCOMPARE(Caption(w.Result(0)), kRight);
        QCOMPARE(TextColour(w.Result(0)), QColor(0, 100, 0));
        QCOMPARE(Caption(w.Result(1)), kWrong);
        QCOMPARE(TextColour(w.Result(1)), QColor(100, 0, 0));
    }

    void handInWithEveryBoxEmpty()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->handIn();
        for (int row = 0; row < 10; ++row) {
            QCOMPARE(f->text(w.Ct(row)), "0");
            QCOMPARE(f->text(w.Cz(row)), "1");
            QCOMPARE(f->text(w.Cw(row)), "0");
            QCOMPARE(Caption(w.Result(row)), kWrong);
            QVERIFY(!w.Ct(row).Enabled() && !w.Cz(row).Enabled() && !w.Cw(row).Enabled());
        }
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].title, "Результат теста");
        QCOMPARE(boxes->seen[0].text, "Ваша оценка 2. Вам нужно повторить тему");
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(w.Timer1.Interval(), 0);
        QVERIFY(w.Frame2.Visible());
        QCOMPARE(Caption(w.RA), "0");
        QCOMPARE(Caption(w.NR), "10");
        QCOMPARE(Caption(w.Mrk), "2");
        for (auto* shown : {&w.Mrk, &w.RA, &w.NR, &w.Label5, &w.Label6}) {
            QVERIFY(shown->Visible());
        }
    }

    void allRightGivesFive()
    {
        startWith(0.0f);
        auto& w = f->w();
        typeTheAnswerKey();
        f->handIn();
        QCOMPARE(Caption(w.RA), "10");
        QCOMPARE(Caption(w.Mrk), "5");
        QCOMPARE(boxes->seen.value(0).text, "Ваша оценка 5. Отличная работа");
    }

    // The instructions say to leave the numerator and denominator boxes empty for a whole
    // number; at time-out such answers are judged with the same defaults as at hand-in, and a
    // "Готово!" pressed afterwards gives the same verdicts and mark. From a source of zeros row
    // 2 is 4 : 1/2 = 8.
    void timeOutJudgesAsHandIn_data()
    {
        QTest::addColumn<bool>("wholeKey"); // the whole answer key typed, or only row 2's "8"
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("grade");
        QTest::newRow("row 2's whole number") << false << 1 << "2. Вам нужно повторить тему";
        QTest::newRow("the whole key") << true << 10 << "5. Отличная работа";
    }
    void timeOutJudgesAsHandIn()
    {
        QFETCH(bool, wholeKey);
        QFETCH(int, right);
        QFETCH(QString, grade);
        startWith(0.0f);
        auto& w = f->w();
        if (wholeKey) {
            typeTheAnswerKey();
        } else {
            f->type(w.Cw(2), "8");
        }
        f->setSecondsLeft(1);
        QString timeWhileOpen;
        bool answersWhileOpen = true;
        boxes->whileOpen = [&] {
            timeWhileOpen = Caption(w.TL);
            answersWhileOpen = w.Frame2.Visible();
        };
        w.TL.SetCaption("00:00:01");
        f->tick();

        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].text, "Время вышло. Ваша оценка " + grade);
        QCOMPARE(boxes->seen[0].title, QString::fromStdString(window::kTitle));
        QCOMPARE(boxes->seen[0].icon, QMessageBox::NoIcon);
        QCOMPARE(timeWhileOpen, "00:00:01");
        QVERIFY(!answersWhileOpen);
        QCOMPARE(Caption(w.TL), "00:00:00");
        QCOMPARE(TextColour(w.TL), QColor(250, 0, 0));
        QCOMPARE(w.Timer1.Interval(), 0);
        QCOMPARE(Caption(w.Result(2)), kRight);
        QCOMPARE(f->text(w.Ct(2)), "0");
        QCOMPARE(f->text(w.Cz(2)), "1");
        QCOMPARE(f->text(w.Cw(2)), "8");
        QCOMPARE(Caption(w.RA), QString::number(right));
        QVERIFY(!w.Frame2.Visible());
        QVERIFY(w.Command2.Visible());
        const QStringList verdictsAtTimeOut = Verdicts();
        const QString markAtTimeOut = Caption(w.Mrk);

        boxes->whileOpen = nullptr;
        f->handIn();
        QCOMPARE(Verdicts(), verdictsAtTimeOut);
        QCOMPARE(Caption(w.Mrk), markAtTimeOut);
        QCOMPARE(Caption(w.RA), QString::number(right));
        QCOMPARE(boxes->seen.size(), 2);
        QCOMPARE(boxes->seen[1].title, "Результат теста");
        QCOMPARE(boxes->seen[1].text, "Ваша оценка " + grade);
        QVERIFY(w.Frame2.Visible());
    }

    // A held Enter closes the time-out box with its first press; its repeats then reach
    // "Готово!", which has the focus once the answer boxes are locked, and do not hand in. An
    // X server repeats a key as a release and a press at the same moment, flagged as a repeat
    // or not.
    void heldEnterAfterTimeOutDoesNotHandIn_data()
    {
        QTest::addColumn<bool>("flagged");
        QTest::newRow("repeats flagged") << true;
        QTest::newRow("repeats not flagged") << false;
    }
    void heldEnterAfterTimeOutDoesNotHandIn()
    {
        QFETCH(bool, flagged);
        startWith(0.0f);
        auto& w = f->w();
        w.Cz(9).SetFocus();
        f->setSecondsLeft(1);
        boxes->closeKey = Qt::Key_Return;
        f->tick();
        QCOMPARE(boxes->seen.size(), 1);
        QVERIFY(!boxes->keyDidNotClose);
        QCOMPARE(w.Window->Widget()->focusWidget(), w.Command2.Widget());
        // The window comes back to the front once the box has closed, as a window manager does.
        QApplication::setActiveWindow(w.Window->Widget());
        QTRY_COMPARE(QApplication::focusWidget(), w.Command2.Widget());
        QWidget* focused = QApplication::focusWidget();
        const auto send = [focused](QEvent::Type type, quint64 at, bool repeat) {
            QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, "\r", repeat);
            event.setTimestamp(at);
            QApplication::sendEvent(focused, &event);
        };
        for (quint64 at = 500; at < 700; at += 40) {
            send(QEvent::KeyRelease, at, flagged);
            send(QEvent::KeyPress, at, flagged);
        }
        send(QEvent::KeyRelease, 720, false);
        QCOMPARE(boxes->seen.size(), 1);
        QVERIFY(!w.Frame2.Visible());

        // A new press does hand in.
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(boxes->seen.size(), 2);
        QCOMPARE(boxes->seen[1].title, "Результат теста");
        QVERIFY(w.Frame2.Visible());
    }

    void secondHandInGivesTheSameResult()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->type(w.Ct(0), "1");
        f->type(w.Cz(0), "3");
        f->handIn();
        QStringList first;
        for (int row = 0; row < 10; ++row) {
            first << Caption(w.Result(row));
        }
        f->handIn();
        QStringList second;
        for (int row = 0; row < 10; ++row) {
            second << Caption(w.Result(row));
        }
        QCOMPARE(second, first);
        QCOMPARE(first[0], kRight);
        QCOMPARE(boxes->seen.size(), 2);
        QCOMPARE(boxes->seen[1].text, boxes->seen[0].text);
        QCOMPARE(w.Timer1.Interval(), 0);
        QVERIFY(w.Frame2.Visible());
    }

    // The window tells its report what happens to the test, read off what the pupil sees: from a
    // source of zeros row 0 is 1/2 x 2/3 = 1/3 and row 2 is 4 : 1/2 = 8.
    void reportsTheAttempt()
    {
        startWith(0.0f);
        auto& w = f->w();
        QCOMPARE(int(f->reports.size()), 1);
        const engine::AttemptRecord& started = f->reports.back();
        QCOMPARE(started.End, engine::AttemptEnd::Running);
        QCOMPARE(started.SecondsUsed, 0);
        QCOMPARE(started.Rows[0].Op, engine::Operation::Multiply);
        QCOMPARE(started.Rows[0].First, (engine::Fraction{1, 2, 0}));
        QCOMPARE(started.Rows[0].Second, (engine::Fraction{2, 3, 0}));
        QCOMPARE(started.Rows[0].Key, (engine::Fraction{1, 3, 0}));
        QCOMPARE(started.Rows[2].First, (engine::Fraction{0, 1, 4}));
        QCOMPARE(started.Rows[2].Key, (engine::Fraction{0, 1, 8}));
        QVERIFY(!started.Rows[0].Right.has_value());
        QVERIFY(!started.RightCount.has_value());

        f->type(w.Ct(0), "1");
        f->type(w.Cz(0), "3");
        QCOMPARE(f->reports.back().Rows[0].Typed, (engine::TypedAnswer{"", "1", "3"}));
        f->tick();
        QCOMPARE(f->reports.back().SecondsUsed, 1);
        QCOMPARE(f->reports.back().End, engine::AttemptEnd::Running);

        f->handIn();
        const engine::AttemptRecord& handedIn = f->reports.back();
        QCOMPARE(handedIn.End, engine::AttemptEnd::HandedIn);
        // What was typed, not the defaults the window shows in the empty boxes.
        QCOMPARE(handedIn.Rows[0].Typed, (engine::TypedAnswer{"", "1", "3"}));
        QCOMPARE(handedIn.Rows[1].Typed, (engine::TypedAnswer{"", "", ""}));
        QCOMPARE(w.Cw(0).Text(), "0");
        QCOMPARE(w.Cz(1).Text(), "1");
        QCOMPARE(handedIn.Rows[0].Right, std::optional<bool>(true));
        QCOMPARE(handedIn.Rows[1].Right, std::optional<bool>(false));
        QCOMPARE(handedIn.RightCount, std::optional<int>(1));
        QCOMPARE(handedIn.Mark, std::optional<int>(2));
        QCOMPARE(handedIn.GradeText, "2. Вам нужно повторить тему");
    }

    void reportsATimeOut()
    {
        startWith(0.0f);
        f->setSecondsLeft(1);
        f->tick();
        QCOMPARE(f->reports.back().End, engine::AttemptEnd::TimedOut);
        QCOMPARE(f->reports.back().SecondsUsed, 600);
        QVERIFY(f->reports.back().Mark.has_value());
        // The empty boxes are recorded empty: they were judged with their defaults, which the
        // review of a kept attempt gives them again.
        QCOMPARE(f->reports.back().Rows[0].Typed, (engine::TypedAnswer{"", "", ""}));
        // Setting the defaults at hand-in is the program's doing, not the pupil's: no report of a
        // running test comes after the ending.
        f->handIn();
        QCOMPARE(f->reports.back().End, engine::AttemptEnd::HandedIn);
        QCOMPARE(f->reports[f->reports.size() - 2].End, engine::AttemptEnd::TimedOut);
    }

    // Once handed in, the countdown is stopped: a second that passes changes nothing, and a
    // second that fell due while the result box was open is dropped.
    void noTickAfterHandIn()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->tick();
        boxes->whileOpen = [&] { f->tick(); };
        f->handIn();
        QTest::qWait(20);
        f->tick();
        QCOMPARE(f->secondsLeft(), 599);
        QCOMPARE(Caption(w.TL), "00:09:59");
        QCOMPARE(w.Timer1.Interval(), 0);
    }

    // A second that fell due under one box is still delivered when another box opens before
    // it could be, and the countdown goes on after both are closed.
    void heldTickSurvivesASecondBox()
    {
        startWith(0.0f);
        auto& w = f->w();
        int opened = 0;
        boxes->whileOpen = [&] {
            if (opened++ == 0) {
                f->tick();
            }
        };
        w.Autmn.Action()->trigger();
        w.sp.Action()->trigger();
        QTRY_COMPARE(f->secondsLeft(), 599);
        f->tick();
        QCOMPARE(f->secondsLeft(), 598);
    }

    // A pupil with another time: the countdown starts from it, blinks in its last 30 seconds
    // and runs out at its end, and the record says how long the pupil had.
    void anotherTimeAllowed_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("allowed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("15 minutes") << 900 << 900 << "00:15:00";
        QTest::newRow("an hour") << 3600 << 3600 << "01:00:00";
        QTest::newRow("less than ten minutes is ten") << 300 << 600 << "00:10:00";
        QTest::newRow("more than an hour is an hour") << 7200 << 3600 << "01:00:00";
    }
    void anotherTimeAllowed()
    {
        QFETCH(int, given);
        QFETCH(int, allowed);
        f = std::make_unique<WindowFixture>(0.0f);
        f->secondsAllowed = given;
        f->start();
        auto& w = f->w();
        QTEST(Caption(w.TL), "shown");
        QCOMPARE(f->reports.back().SecondsAllowed, allowed);
        f->tick();
        QCOMPARE(f->secondsLeft(), allowed - 1);
        QCOMPARE(f->reports.back().SecondsUsed, 1);
        // Ten minutes and a second in: a longer test still runs, not blinking.
        f->setSecondsLeft(allowed - 600);
        f->tick();
        QCOMPARE(f->reports.back().End,
                 allowed > 600 ? engine::AttemptEnd::Running : engine::AttemptEnd::TimedOut);
        if (allowed == 600) {
            return;
        }
        QCOMPARE(f->reports.back().SecondsUsed, 601);
        QCOMPARE(TextColour(w.TL), QColor(Qt::black));
        f->setSecondsLeft(31);
        f->tick();
        QCOMPARE(TextColour(w.TL), QColor(250, 0, 0));
        QVERIFY(boxes->seen.isEmpty());
        f->setSecondsLeft(1);
        f->tick();
        const engine::AttemptRecord& end = f->reports.back();
        QCOMPARE(end.End, engine::AttemptEnd::TimedOut);
        QCOMPARE(end.SecondsAllowed, allowed);
        QCOMPARE(end.SecondsUsed, allowed);
        QCOMPARE(boxes->seen.size(), 1);
        // The journal's review of it, against the time recorded with it, finds nothing wrong.
        const engine::AttemptReview review = engine::ReviewAttempt(end, end.SecondsAllowed);
        QVERIFY2(review.Agrees(), engine::CheckText(review).c_str());
    }

    void countdownBlinks_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("31") << 31 << "00:00:31" << QColor(Qt::black);
        QTest::newRow("30") << 30 << "00:00:30" << QColor(250, 0, 0);
        QTest::newRow("29") << 29 << "00:00:29" << QColor(Qt::black);
        QTest::newRow("2") << 2 << "00:00:02" << QColor(250, 0, 0);
        QTest::newRow("1") << 1 << "00:00:01" << QColor(Qt::black);
    }
    void countdownBlinks()
    {
        QFETCH(int, left);
        startWith(0.0f);
        auto& w = f->w();
        f->tick();
        QCOMPARE(Caption(w.TL), "00:09:59");
        f->setSecondsLeft(left + 1);
        f->tick();
        QTEST(Caption(w.TL), "caption");
        QTEST(TextColour(w.TL), "colour");
        QVERIFY(boxes->seen.isEmpty());
    }

    void denominatorBoxTakesDigitsOnly()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->type(w.Cz(4), "1a-б.,2 Я9");
        QCOMPARE(f->text(w.Cz(4)), "129");
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_Return);
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_Backspace);
        QCOMPARE(f->text(w.Cz(4)), "12");
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_Home);
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_Delete);
        QCOMPARE(f->text(w.Cz(4)), "2");
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_End);
        QTest::keyClick(w.Cz(4).Widget(), Qt::Key_5);
        QCOMPARE(f->text(w.Cz(4)), "25");

        f->type(w.Ct(4), "1a-б.,2");
        QCOMPARE(f->text(w.Ct(4)), "1a-б.,2");
        f->type(w.Cw(4), "Я.5");
        QCOMPARE(f->text(w.Cw(4)), "Я.5");
    }

    void outOfRangeAnswerIsWrongAndTheTestGoesOn()
    {
        startWith(0.125f);
        auto& w = f->w();
        f->type(w.Ct(0), "1");
        f->type(w.Cz(0), "4");
        f->type(w.Cw(1), "40000");
        f->type(w.Ct(2), QString(40, '9'));
        f->handIn();
        QCOMPARE(Caption(w.Result(0)), kRight);
        QCOMPARE(Caption(w.Result(1)), kWrong);
        QCOMPARE(Caption(w.Result(2)), kWrong);
        QCOMPARE(Caption(w.RA), "1");
        QCOMPARE(boxes->seen.size(), 1);
        QVERIFY(w.Window->Widget()->isVisible());
    }

    void menuBoxes()
    {
        f = std::make_unique<WindowFixture>();
        auto& w = f->w();
        QCOMPARE(w.mn.Widget()->title(), "Меню");
        QStringList items;
        for (QAction* action : w.mn.Widget()->actions()) {
            items << action->text();
        }
        QCOMPARE(items, (QStringList{"Благодарности", "Автор", "Выход"}));

        w.Autmn.Action()->trigger();
        w.sp.Action()->trigger();
        QCOMPARE(boxes->seen.size(), 2);
        QCOMPARE(boxes->seen[0].title, "Автор");
        QCOMPARE(boxes->seen[0].text, "Автором данной программы является Квирен, aka Дорлис");
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(boxes->seen[1].title, " ");
        QCOMPARE(boxes->seen[1].text, "Большое спасибо Ольтиму за поддержку и помощь\n"
                                      "Лирвене за идею, доброту и помощь в устранении ошибок.");
        QVERIFY(w.Command1.Visible());
    }

    void exitEndsTheProgramMidTest()
    {
        startWith(0.0f);
        auto& w = f->w();
        // The program's event loop runs until "Выход" ends it.
        QTimer::singleShot(0, [&] { w.ExMn.Action()->trigger(); });
        QCOMPARE(QApplication::exec(), 0);
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        QVERIFY(!w.Window->Widget()->isVisible());
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(Caption(w.Result(0)), "");
    }

    // Closing the window with its frame's close button ends the program the same way, with no
    // check and no result.
    void closingTheWindowEndsTheProgramMidTest()
    {
        startWith(0.0f);
        auto& w = f->w();
        f->type(w.Ct(0), "1");
        QTimer::singleShot(0, [&] { w.Window->Widget()->close(); });
        QCOMPARE(QApplication::exec(), 0);
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(Caption(w.Result(0)), "");
    }

    // A box open during the test holds the ticks back; they come once it is closed.
    void ticksWaitForAnOpenBox()
    {
        startWith(0.0f);
        toolkit::Timer::SetManual(false);
        auto& w = f->w();
        w.Timer1.SetInterval(20);
        int secondsWhileOpen = -1;
        boxes->whileOpen = [&] {
            QTest::qWait(200);
            secondsWhileOpen = f->secondsLeft();
        };
        w.Autmn.Action()->trigger();
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(secondsWhileOpen, 600);
        QTRY_VERIFY(f->secondsLeft() <= 600 - 5);
        w.Timer1.SetInterval(0);
        const int stoppedAt = f->secondsLeft();
        QTest::qWait(100);
        QCOMPARE(f->secondsLeft(), stoppedAt);
        toolkit::Timer::SetManual(true);
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
