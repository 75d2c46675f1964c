// SPDX-License-Identifier: GPL-3.0-or-later
// The time text and the decisions of each countdown tick.
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

    void tickBelowTheRangeOverflows()
    {
        core::Int16 secondsLeft = -32768;
        QVERIFY_THROWS_EXCEPTION(core::OverflowError, engine::CountdownTick(secondsLeft));
    }
};

QTEST_APPLESS_MAIN(CountdownTest)
#include "tst_countdown.moc"
