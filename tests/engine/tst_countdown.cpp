// The time text and the decisions of each countdown tick.
#include "engine/countdown.h"

#include <QTest>

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
        const toolkit::Int16 argument = toolkit::Int16(seconds);
        QTEST(QString::fromStdString(engine::ToTime(argument)), "text");
        QCOMPARE(int(argument), seconds);
    }

    void tick_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<int>("colour"); // -1: left as it is
        const int red = engine::kBlinkRed;
        QTest::newRow("600 to 599") << 600 << false << -1;
        QTest::newRow("32 to 31") << 32 << false << -1;
        QTest::newRow("31 to 30, red") << 31 << false << red;
        QTest::newRow("30 to 29, black") << 30 << false << 0;
        QTest::newRow("3 to 2, red") << 3 << false << red;
        QTest::newRow("2 to 1, black") << 2 << false << 0;
        QTest::newRow("1 to 0, time out, red") << 1 << true << red;
        QTest::newRow("0 to -1, time out, black") << 0 << true << 0;
        QTest::newRow("-9 to -10, red") << -9 << true << red;
    }
    void tick()
    {
        QFETCH(int, before);
        QFETCH(bool, timedOut);
        QFETCH(int, colour);
        toolkit::Int16 secondsLeft = toolkit::Int16(before);
        const engine::TickDecision decision = engine::CountdownTick(secondsLeft);
        QCOMPARE(int(secondsLeft), before - 1);
        QCOMPARE(decision.TimedOut, timedOut);
        QCOMPARE(decision.ForeColor.value_or(-1), colour);
    }

    void tickBelowTheRangeOverflows()
    {
        toolkit::Int16 secondsLeft = -32768;
        QVERIFY_THROWS_EXCEPTION(toolkit::OverflowError, engine::CountdownTick(secondsLeft));
    }
};

QTEST_APPLESS_MAIN(CountdownTest)
#include "tst_countdown.moc"
