// SPDX-License-Identifier: GPL-3.0-or-later
// Text and number conversions: leading numbers, rounding into 16 bits, texts of numbers.
#include "core/conversions.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using core::OverflowError;

class ConversionsTest : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("Cyrillic letters") << "два" << 0.0;
        QTest::newRow("decimal") << "1.5" << 1.5;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("leading blanks") << "  7" << 7.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("comma ends the number") << "1,5" << 1.0;
        QTest::newRow("fraction digits only") << ".5" << 0.5;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("blank after sign") << "- 5" << 0.0;
        QTest::newRow("no exponent") << "1e5" << 1.0;
        QTest::newRow("beyond 16 bits") << "40000" << 40000.0;
        QTest::newRow("30 digits") << QString(30, '9') << 1e30;
        QTest::newRow("too large for a double")
            << QString(400, '7') << std::numeric_limits<double>::infinity();
        QTest::newRow("too small for a double") << "0." + QString(400, '0') + "1" << 0.0;
        QTest::newRow("negative too large")
            << "-" + QString(400, '7') << -std::numeric_limits<double>::infinity();
        QTest::newRow("slash ends the number") << "3/4" << 3.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(core::LeadingNumber(text.toStdString()), number);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("1.5 to even 2") << 1.5 << 2;
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("0.5 to even 0") << 0.5 << 0;
        QTest::newRow("-1.5 to even -2") << -1.5 << -2;
        QTest::newRow("-2.5 to even -2") << -2.5 << -2;
        QTest::newRow("2.6 up") << 2.6 << 3;
        QTest::newRow("largest") << 32767.4 << 32767;
        QTest::newRow("smallest") << -32768.5 << -32768;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(core::ToInt16(value)), expected);
    }

    void toInt16Overflow_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("32767.5 rounds to 32768") << 32767.5;
        QTest::newRow("40000") << 40000.0;
        QTest::newRow("-32768.6") << -32768.6;
        QTest::newRow("1e30") << 1e30;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("not a number") << std::nan("");
    }
    void toInt16Overflow()
    {
        QFETCH(double, value);
        QVERIFY_THROWS_EXCEPTION(OverflowError, core::ToInt16(value));
    }

    void numberTexts()
    {
        QCOMPARE(core::Int16ToText(-32768), std::string("-32768"));
        QCOMPARE(core::Int16ToText(7), std::string("7"));
        QCOMPARE(core::NumberToText(5), std::string(" 5"));
        QCOMPARE(core::NumberToText(0), std::string(" 0"));
        QCOMPARE(core::NumberToText(-12), std::string("-12"));
    }

    void charFromCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("line feed") << 10 << "\n";
        QTest::newRow("digit") << 48 << "0";
        QTest::newRow("Cyrillic") << 0x0431 << "б";
        QTest::newRow("above 0x7FFF") << int(core::Int16(0xFF10)) << QString(QChar(0xFF10));
    }
    void charFromCode()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(core::CharFromCode(core::Int16(code))), text);
    }

    void checkedArithmetic()
    {
        QCOMPARE(core::Add16(32766, 1), core::Int16(32767));
        QVERIFY_THROWS_EXCEPTION(OverflowError, core::Add16(32767, 1));
        QVERIFY_THROWS_EXCEPTION(OverflowError, core::Sub16(-32768, 1));
        QVERIFY_THROWS_EXCEPTION(OverflowError, core::Mul16(200, 200));
        QCOMPARE(core::Mul16(-128, 256), core::Int16(-32768));
    }
};

QTEST_APPLESS_MAIN(ConversionsTest)
#include "tst_conversions.moc"
