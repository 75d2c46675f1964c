// SPDX-License-Identifier: GPL-3.0-or-later
// The fraction routines on the examples they are defined by, and where 16 bits run out.
#include "engine/fraction.h"

#include <QTest>

using core::OverflowError;
using engine::Fraction;

Q_DECLARE_METATYPE(engine::Fraction)

namespace {
Fraction F(int numerator, int denominator, int whole = 0)
{
    return Fraction{core::Int16(numerator), core::Int16(denominator), core::Int16(whole)};
}
} // namespace

namespace QTest {
template <> char* toString(const Fraction& f)
{
    return qstrdup(QByteArray::number(f.Whole) + " " + QByteArray::number(f.Numerator) + "/" +
                   QByteArray::number(f.Denominator));
}
} // namespace QTest

class FractionTest : public QObject {
    Q_OBJECT

private slots:
    void extractWhole_data()
    {
        QTest::addColumn<Fraction>("before");
        QTest::addColumn<Fraction>("after");
        QTest::newRow("proper fraction passes untouched") << F(3, 4) << F(3, 4);
        QTest::newRow("zero numerator gets denominator 1") << F(0, 5) << F(0, 1);
        QTest::newRow("whole part is added to") << F(7, 3, 2) << F(1, 3, 4);
        QTest::newRow("exact multiple") << F(10, 10) << F(0, 1, 1);
        QTest::newRow("improper") << F(21, 12) << F(9, 12, 1);
    }
    void extractWhole()
    {
        QFETCH(Fraction, before);
        QFETCH(Fraction, after);
        engine::ExtractWhole(before);
        QCOMPARE(before, after);
    }

    void toImproper()
    {
        Fraction f = F(1, 3, 2);
        engine::ToImproper(f);
        QCOMPARE(f, F(7, 3));
    }

    void reduceFraction_data()
    {
        QTest::addColumn<Fraction>("before");
        QTest::addColumn<Fraction>("after");
        QTest::newRow("12/18") << F(12, 18) << F(2, 3);
        QTest::newRow("24/36") << F(24, 36) << F(2, 3);
        QTest::newRow("1/1") << F(1, 1) << F(0, 1, 1);
        QTest::newRow("4/4") << F(4, 4) << F(0, 1, 1);
        QTest::newRow("5/1") << F(5, 1) << F(0, 1, 5);
        QTest::newRow("0/7") << F(0, 7) << F(0, 1);
        QTest::newRow("7/4 has no common factor but is extracted") << F(7, 4) << F(3, 4, 1);
        QTest::newRow("mixed input is folded first") << F(2, 4, 1) << F(1, 2, 1);
        QTest::newRow("large prime factors") << F(151 * 7, 151 * 31) << F(7, 31);
        QTest::newRow("32766/32767 coprime") << F(32766, 32767) << F(32766, 32767);
    }
    void reduceFraction()
    {
        QFETCH(Fraction, before);
        QFETCH(Fraction, after);
        engine::ReduceFraction(before);
        QCOMPARE(before, after);
    }

    // The trial limit is taken once, before any division: 32767/32767 reduces to 1/1 and the
    // divisor then runs on to 32767 and past it.
    void reduceFractionLimitIsTakenOnce()
    {
        Fraction f = F(32767, 32767);
        QVERIFY_THROWS_EXCEPTION(OverflowError, engine::ReduceFraction(f));
    }

    void makeFraction_data()
    {
        QTest::addColumn<Fraction>("record");
        QTest::addColumn<float>("numerator");
        QTest::addColumn<float>("denominator");
        QTest::addColumn<Fraction>("after");
        QTest::newRow("7, 3") << Fraction{} << 7.0f << 3.0f << F(1, 3, 2);
        QTest::newRow("6, 8") << Fraction{} << 6.0f << 8.0f << F(3, 4);
        QTest::newRow("10, 5") << Fraction{} << 10.0f << 5.0f << F(0, 1, 2);
        QTest::newRow("8, 12") << Fraction{} << 8.0f << 12.0f << F(2, 3);
        QTest::newRow("keeps the record's whole part") << F(0, 0, 1) << 1.0f << 2.0f << F(1, 2, 1);
        QTest::newRow("halves round to even") << Fraction{} << 2.5f << 3.5f << F(1, 2);
    }
    void makeFraction()
    {
        QFETCH(Fraction, record);
        QFETCH(float, numerator);
        QFETCH(float, denominator);
        QFETCH(Fraction, after);
        engine::MakeFraction(record, numerator, denominator);
        QCOMPARE(record, after);
    }

    void multiplyFractions_data()
    {
        QTest::addColumn<Fraction>("a");
        QTest::addColumn<Fraction>("b");
        QTest::addColumn<Fraction>("result");
        QTest::addColumn<Fraction>("resultAfter");
        QTest::addColumn<Fraction>("aAfter");
        QTest::addColumn<Fraction>("bAfter");
        QTest::newRow("mixed operand is folded in place")
            << F(1, 3, 2) << F(3, 4) << Fraction{} << F(21, 12) << F(7, 3) << F(3, 4);
        QTest::newRow("result's whole part is left as it was")
            << F(1, 2) << F(1, 3) << F(0, 0, 3) << F(1, 6, 3) << F(1, 2) << F(1, 3);
        QTest::newRow("both folded")
            << F(1, 2, 1) << F(1, 3, 1) << Fraction{} << F(12, 6) << F(3, 2) << F(4, 3);
    }
    void multiplyFractions()
    {
        QFETCH(Fraction, a);
        QFETCH(Fraction, b);
        QFETCH(Fraction, result);
        engine::MultiplyFractions(result, a, b);
        QTEST(result, "resultAfter");
        QTEST(a, "aAfter");
        QTEST(b, "bAfter");
    }

    void divideFractions_data()
    {
        QTest::addColumn<Fraction>("a");
        QTest::addColumn<Fraction>("b");
        QTest::addColumn<Fraction>("resultAfter");
        QTest::addColumn<Fraction>("aAfter");
        QTest::addColumn<Fraction>("bAfter");
        QTest::newRow("1 1/2 : 2 1/4")
            << F(1, 2, 1) << F(1, 4, 2) << F(12, 18) << F(3, 2) << F(9, 4);
        QTest::newRow("3/4 : 2 multiplies by 1/2")
            << F(3, 4) << F(0, 1, 2) << F(3, 8) << F(3, 4) << F(2, 1);
        QTest::newRow("zero divisor gives 0/0")
            << F(3, 4) << F(0, 1) << F(0, 0) << F(3, 4) << F(0, 1);
    }
    void divideFractions()
    {
        QFETCH(Fraction, a);
        QFETCH(Fraction, b);
        Fraction result;
        engine::DivideFractions(result, a, b);
        QTEST(result, "resultAfter");
        QTEST(a, "aAfter");
        QTEST(b, "bAfter");
    }

    // The divisor is folded before the dividend: when folding the divisor overflows, the
    // dividend is still as it was.
    void divideFoldsDivisorFirst()
    {
        Fraction a = F(1, 3, 2);
        Fraction b = F(1, 200, 200);
        Fraction result;
        QVERIFY_THROWS_EXCEPTION(OverflowError, engine::DivideFractions(result, a, b));
        QCOMPARE(a, F(1, 3, 2));
    }

    void clearFraction()
    {
        Fraction f = F(3, 4, 5);
        engine::ClearFraction(f);
        QCOMPARE(f, Fraction{});
    }

    void overflow_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<Fraction>("f");
        enum { Multiply, Improper, Extract, Make };
        QTest::newRow("200 x 200 numerators") << int(Multiply) << F(200, 1);
        QTest::newRow("ToImproper product") << int(Improper) << F(1, 200, 200);
        QTest::newRow("ToImproper sum") << int(Improper) << F(32767, 32767, 1);
        QTest::newRow("ExtractWhole whole part") << int(Extract) << F(2, 1, 32767);
        QTest::newRow("MakeFraction rounding 32767.5") << int(Make) << F(32767, 0);
    }
    void overflow()
    {
        QFETCH(int, operation);
        QFETCH(Fraction, f);
        Fraction result;
        Fraction g = f;
        switch (operation) {
        case 0:
            QVERIFY_THROWS_EXCEPTION(OverflowError, engine::MultiplyFractions(result, f, g));
            break;
        case 1:
            QVERIFY_THROWS_EXCEPTION(OverflowError, engine::ToImproper(f));
            break;
        case 2:
            QVERIFY_THROWS_EXCEPTION(OverflowError, engine::ExtractWhole(f));
            break;
        case 3:
            QVERIFY_THROWS_EXCEPTION(OverflowError, engine::MakeFraction(result, 32767.5f, 1));
            break;
        }
    }
};

QTEST_APPLESS_MAIN(FractionTest)
#include "tst_fraction.moc"
