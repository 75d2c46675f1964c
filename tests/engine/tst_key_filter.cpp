// SPDX-License-Identifier: GPL-3.0-or-later
// The denominator boxes' key filter: digits and backspace only.
#include "engine/key_filter.h"

#include <QTest>

class KeyFilterTest : public QObject {
    Q_OBJECT

private slots:
    void filter_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("passes");
        for (char digit = '0'; digit <= '9'; ++digit) {
            QTest::addRow("digit %c", digit) << int(digit) << true;
        }
        QTest::newRow("backspace") << 8 << true;
        QTest::newRow("minus") << int('-') << false;
        QTest::newRow("point") << int('.') << false;
        QTest::newRow("comma") << int(',') << false;
        QTest::newRow("blank") << int(' ') << false;
        QTest::newRow("Latin a") << int('a') << false;
        QTest::newRow("Latin Z") << int('Z') << false;
        QTest::newRow("Cyrillic б") << 0x0431 << false;
        QTest::newRow("Cyrillic Я") << 0x042F << false;
        QTest::newRow("Enter") << 13 << false;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("fullwidth digit") << int(core::Int16(0xFF11)) << false;
        QTest::newRow("negative code") << -1 << false;
    }
    void filter()
    {
        QFETCH(int, code);
        QFETCH(bool, passes);
        const core::Int16 key = core::Int16(code);
        QCOMPARE(int(engine::FilterDigitKey(key)), passes ? code : 0);
        QCOMPARE(int(key), code);
    }
};

QTEST_APPLESS_MAIN(KeyFilterTest)
#include "tst_key_filter.moc"
