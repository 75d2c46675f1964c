// SPDX-License-Identifier: GPL-3.0-or-later
// The program's random source and the clock it is seeded from.
#include "core/clock.h"
#include "core/random_source.h"

#include <QTest>

#include <algorithm>
#include <vector>

class RandomSourceTest : public QObject {
    Q_OBJECT

private slots:
    void numbersAreInTheUnitInterval()
    {
        core::SystemRandomSource random;
        random.Reseed(core::SecondsSinceMidnight());
        float lowest = 1.0f;
        float highest = 0.0f;
        for (int i = 0; i < 200000; ++i) {
            const float r = random.Next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
        }
        // Spread over the whole interval, so every row's range is reached.
        QVERIFY(lowest < 0.001f);
        QVERIFY(highest > 0.999f);
    }

    // Two pupils who start the program in the same second get different tests.
    void sameClockSecondDifferentSequences()
    {
        core::SystemRandomSource first;
        core::SystemRandomSource second;
        first.Reseed(36000.0f);
        second.Reseed(36000.0f);
        std::vector<float> a, b;
        for (int i = 0; i < 11; ++i) {
            a.push_back(first.Next());
            b.push_back(second.Next());
        }
        QVERIFY(a != b);
    }

    void clockIsSecondsSinceMidnight()
    {
        const float seconds = core::SecondsSinceMidnight();
        QVERIFY(seconds >= 0.0f && seconds < 86400.0f);
    }
};

QTEST_APPLESS_MAIN(RandomSourceTest)
#include "tst_random_source.moc"
