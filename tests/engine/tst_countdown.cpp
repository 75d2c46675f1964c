// SPDX-License-Identifier: GPL-3.0-or-later
// The time text, what a screen reader is told of the time left, and the decisions of each
// countdown tick.
#include "engine/countdown.h"

#include <QTest>

#include <optional>

using engine::BlinkPhase;
Q_DECLARE_METATYPE(std::optional<engine::BlinkPhase>)

class CountdownTest : public QObject {
    Q_OBJECT

private slots:
    void toTime_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("600") << 600 << "00:10:00";
        QTest::newRow("599") << 599 << "00:09:59";
        QTest::newRow("60") << 60 << "00:01:00";
        QTest::newRow("59") << 59 << "00:00:59";
        QTest::newRow("0") << 0 << "00:00:00";
        QTest::newRow("hour less a second") << 3599 << "00:59:59";
        QTest::newRow("hour") << 3600 << "01:00:00";
        QTest::newRow("32767") << 32767 << "09:06:07";
        QTest::newRow("-1") << -1 << "00:00:-1";
        QTest::newRow("-9") << -9 << "00:00:-9";
        QTest::newRow("-10") << -10 << "00:00:0-10";
        QTest::newRow("-32768") << -32768 << "00:00:0-32768";
    }
    void toTime()
    {
        QFETCH(int, seconds);
        const core::Int16 argument = core::Int16(seconds);
        QTEST(QString::fromStdString(engine::ToTime(argument)), "text");
        QCOMPARE(int(argument), seconds);
    }

    void tick_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<std::optional<BlinkPhase>>("blink"); // none: left as it is
        const std::optional<BlinkPhase> none;
        const std::optional<BlinkPhase> red = BlinkPhase::Red;
        const std::optional<BlinkPhase> black = BlinkPhase::Black;
        QTest::newRow("600 to 599") << 600 << false << none;
        QTest::newRow("32 to 31") << 32 << false << none;
        QTest::newRow("31 to 30, red") << 31 << false << red;
        QTest::newRow("30 to 29, black") << 30 << false << black;
        QTest::newRow("3 to 2, red") << 3 << false << red;
        QTest::newRow("2 to 1, black") << 2 << false << black;
        QTest::newRow("1 to 0, time out, red") << 1 << true << red;
        QTest::newRow("0 to -1, time out, black") << 0 << true << black;
        QTest::newRow("-9 to -10, red") << -9 << true << red;
    }
    void tick()
    {
        QFETCH(int, before);
        QFETCH(bool, timedOut);
        QFETCH(std::optional<BlinkPhase>, blink);
        core::Int16 secondsLeft = core::Int16(before);
        const engine::TickDecision decision = engine::CountdownTick(secondsLeft);
        QCOMPARE(int(secondsLeft), before - 1);
        QCOMPARE(decision.TimedOut, timedOut);
        QVERIFY(decision.Blink == blink);
    }

    void announcement_data()
    {
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<QString>("said"); // empty: nothing is said
        QTest::newRow("start") << 600 << "";
        QTest::newRow("a second before 5 minutes") << 301 << "";
        QTest::newRow("5 minutes") << 300 << "Осталось 5 минут";
        QTest::newRow("a second after 5 minutes") << 299 << "";
        QTest::newRow("2 minutes") << 120 << "";
        QTest::newRow("a second before 1 minute") << 61 << "";
        QTest::newRow("1 minute") << 60 << "Осталась 1 минута";
        QTest::newRow("a second after 1 minute") << 59 << "";
        QTest::newRow("31 seconds") << 31 << "";
        QTest::newRow("30 seconds") << 30 << "Осталось 30 секунд";
        QTest::newRow("29 seconds") << 29 << "";
        QTest::newRow("1 second") << 1 << "";
        QTest::newRow("time out") << 0 << "Время вышло";
        QTest::newRow("past the time out") << -1 << "";
        QTest::newRow("-300 is not 300") << -300 << "";
    }
    void announcement()
    {
        QFETCH(int, secondsLeft);
        QFETCH(QString, said);
        const std::optional<std::string> announcement =
            engine::TimeLeftAnnouncement(core::Int16(secondsLeft));
        QCOMPARE(announcement.has_value(), !said.isEmpty());
        if (announcement) {
            QCOMPARE(QString::fromStdString(*announcement), said);
        }
    }

    // A whole test's ticks, from the start to the time out: each announcement comes with the
    // tick that reaches its count, in order, and no other tick says anything.
    void ticksOfAWholeTestAnnounceFourMoments()
    {
        core::Int16 secondsLeft = engine::kTestSeconds;
        QList<QPair<int, QString>> heard;
        for (bool over = false; !over;) {
            const engine::TickDecision decision = engine::CountdownTick(secondsLeft);
            if (decision.Announcement) {
                heard.append({secondsLeft, QString::fromStdString(*decision.Announcement)});
            }
            over = decision.TimedOut;
        }
        const QList<QPair<int, QString>> expected{{300, "Осталось 5 минут"},
                                                  {60, "Осталась 1 минута"},
                                                  {30, "Осталось 30 секунд"},
                                                  {0, "Время вышло"}};
        QCOMPARE(heard, expected);
    }

    void tickBelowTheRangeOverflows()
    {
        core::Int16 secondsLeft = -32768;
        QVERIFY_THROWS_EXCEPTION(core::OverflowError, engine::CountdownTick(secondsLeft));
    }
};

QTEST_APPLESS_MAIN(CountdownTest)
#include "tst_countdown.moc"
