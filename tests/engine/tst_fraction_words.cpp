// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers and fractions read in Russian words, checked against tables written out by hand
// here, apart from the code's own stems and endings.
#include "engine/fraction_words.h"

#include <QTest>

#include <array>
#include <climits>
#include <stdexcept>

using engine::Fraction;
using engine::GrammaticalCase;

Q_DECLARE_METATYPE(engine::Fraction)
Q_DECLARE_METATYPE(engine::GrammaticalCase)

namespace {

Fraction F(int numerator, int denominator, int whole = 0)
{
    return Fraction{core::Int16(numerator), core::Int16(denominator), core::Int16(whole)};
}

// One ordinal in the three forms a denominator takes.
struct OrdinalForms {
    const char* Nominative; // одна ...
    const char* Accusative; // одну ...
    const char* Plural;     // две ...
};

// 0..20 in full; 0 and 1 are here for the compounds only.
constexpr std::array<OrdinalForms, 21> kUnitOrdinals = {{
    {"нулевая", "нулевую", "нулевых"},
    {"первая", "первую", "первых"},
    {"вторая", "вторую", "вторых"},
    {"третья", "третью", "третьих"},
    {"четвёртая", "четвёртую", "четвёртых"},
    {"пятая", "пятую", "пятых"},
    {"шестая", "шестую", "шестых"},
    {"седьмая", "седьмую", "седьмых"},
    {"восьмая", "восьмую", "восьмых"},
    {"девятая", "девятую", "девятых"},
    {"десятая", "десятую", "десятых"},
    {"одиннадцатая", "одиннадцатую", "одиннадцатых"},
    {"двенадцатая", "двенадцатую", "двенадцатых"},
    {"тринадцатая", "тринадцатую", "тринадцатых"},
    {"четырнадцатая", "четырнадцатую", "четырнадцатых"},
    {"пятнадцатая", "пятнадцатую", "пятнадцатых"},
    {"шестнадцатая", "шестнадцатую", "шестнадцатых"},
    {"семнадцатая", "семнадцатую", "семнадцатых"},
    {"восемнадцатая", "восемнадцатую", "восемнадцатых"},
    {"девятнадцатая", "девятнадцатую", "девятнадцатых"},
    {"двадцатая", "двадцатую", "двадцатых"},
}};

// Index n holds 10·n; 0 and 1 are unused.
constexpr std::array<OrdinalForms, 10> kTenOrdinals = {{
    {"", "", ""},
    {"", "", ""},
    {"двадцатая", "двадцатую", "двадцатых"},
    {"тридцатая", "тридцатую", "тридцатых"},
    {"сороковая", "сороковую", "сороковых"},
    {"пятидесятая", "пятидесятую", "пятидесятых"},
    {"шестидесятая", "шестидесятую", "шестидесятых"},
    {"семидесятая", "семидесятую", "семидесятых"},
    {"восьмидесятая", "восьмидесятую", "восьмидесятых"},
    {"девяностая", "девяностую", "девяностых"},
}};

constexpr OrdinalForms kHundredth = {"сотая", "сотую", "сотых"};

constexpr std::array<const char*, 10> kTenCardinals = {
    "",          "",           "двадцать",  "тридцать",    "сорок",
    "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};

// The forms of 2..100: compounds are the tens' cardinal and the last digit's ordinal.
struct Denominator {
    QByteArray Nominative;
    QByteArray Accusative;
    QByteArray Plural;
};

Denominator DenominatorForms(int d)
{
    if (d == 100) {
        return {kHundredth.Nominative, kHundredth.Accusative, kHundredth.Plural};
    }
    if (d <= 20) {
        const OrdinalForms& o = kUnitOrdinals[std::size_t(d)];
        return {o.Nominative, o.Accusative, o.Plural};
    }
    if (d % 10 == 0) {
        const OrdinalForms& o = kTenOrdinals[std::size_t(d / 10)];
        return {o.Nominative, o.Accusative, o.Plural};
    }
    const QByteArray tens = QByteArray(kTenCardinals[std::size_t(d / 10)]) + " ";
    const OrdinalForms& o = kUnitOrdinals[std::size_t(d % 10)];
    return {tens + o.Nominative, tens + o.Accusative, tens + o.Plural};
}

QByteArray Words(const Fraction& f, GrammaticalCase c)
{
    return QByteArray::fromStdString(engine::FractionInWords(f, c));
}

} // namespace

namespace QTest {
template <> char* toString(const Fraction& f)
{
    return qstrdup(QByteArray::number(f.Whole) + " " + QByteArray::number(f.Numerator) + "/" +
                   QByteArray::number(f.Denominator));
}
} // namespace QTest

class FractionWordsTest : public QObject {
    Q_OBJECT

private slots:
    void numberInWords_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("0") << 0 << QByteArray("ноль");
        QTest::newRow("1") << 1 << QByteArray("один");
        QTest::newRow("2") << 2 << QByteArray("два");
        QTest::newRow("5") << 5 << QByteArray("пять");
        QTest::newRow("10") << 10 << QByteArray("десять");
        QTest::newRow("11") << 11 << QByteArray("одиннадцать");
        QTest::newRow("14") << 14 << QByteArray("четырнадцать");
        QTest::newRow("19") << 19 << QByteArray("девятнадцать");
        QTest::newRow("20") << 20 << QByteArray("двадцать");
        QTest::newRow("21") << 21 << QByteArray("двадцать один");
        QTest::newRow("40") << 40 << QByteArray("сорок");
        QTest::newRow("99") << 99 << QByteArray("девяносто девять");
        QTest::newRow("100") << 100 << QByteArray("сто");
        QTest::newRow("101") << 101 << QByteArray("сто один");
        QTest::newRow("110") << 110 << QByteArray("сто десять");
        QTest::newRow("162") << 162 << QByteArray("сто шестьдесят два");
        QTest::newRow("200") << 200 << QByteArray("двести");
        QTest::newRow("345") << 345 << QByteArray("триста сорок пять");
        QTest::newRow("999") << 999 << QByteArray("девятьсот девяносто девять");
        QTest::newRow("1000") << 1000 << QByteArray("одна тысяча");
        QTest::newRow("1001") << 1001 << QByteArray("одна тысяча один");
        QTest::newRow("2000") << 2000 << QByteArray("две тысячи");
        QTest::newRow("2022") << 2022 << QByteArray("две тысячи двадцать два");
        QTest::newRow("4004") << 4004 << QByteArray("четыре тысячи четыре");
        QTest::newRow("5000") << 5000 << QByteArray("пять тысяч");
        QTest::newRow("11000") << 11000 << QByteArray("одиннадцать тысяч");
        QTest::newRow("12000") << 12000 << QByteArray("двенадцать тысяч");
        QTest::newRow("21000") << 21000 << QByteArray("двадцать одна тысяча");
        QTest::newRow("22000") << 22000 << QByteArray("двадцать две тысячи");
        QTest::newRow("32767") << 32767
                               << QByteArray("тридцать две тысячи семьсот шестьдесят семь");
        QTest::newRow("-5") << -5 << QByteArray("минус пять");
        QTest::newRow("-32768") << -32768
                                << QByteArray("минус тридцать две тысячи семьсот шестьдесят "
                                              "восемь");
        QTest::newRow("999999")
            << 999999 << QByteArray("девятьсот девяносто девять тысяч девятьсот девяносто девять");
        QTest::newRow("111111") << 111111 << QByteArray("сто одиннадцать тысяч сто одиннадцать");
        QTest::newRow("201001") << 201001 << QByteArray("двести одна тысяча один");
    }
    void numberInWords()
    {
        QFETCH(int, n);
        QFETCH(QByteArray, words);
        QCOMPARE(QByteArray::fromStdString(engine::NumberInWords(n)), words);
    }

    void numberOutOfRange_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("a million") << 1000000;
        QTest::newRow("minus a million") << -1000000;
        QTest::newRow("INT_MAX") << INT_MAX;
        QTest::newRow("INT_MIN") << INT_MIN;
    }
    void numberOutOfRange()
    {
        QFETCH(int, n);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, engine::NumberInWords(n));
    }

    // The reading the exercises are spoken with, both cases side by side.
    void fractionInWords_data()
    {
        QTest::addColumn<Fraction>("f");
        QTest::addColumn<QByteArray>("nominative");
        QTest::addColumn<QByteArray>("accusative");
        auto row = [](const char* name, Fraction f, const char* nom, const char* acc) {
            QTest::newRow(name) << f << QByteArray(nom) << QByteArray(acc);
        };
        row("1/2", F(1, 2), "одна вторая", "одну вторую");
        row("2/3", F(2, 3), "две третьих", "две третьих");
        row("5/8", F(5, 8), "пять восьмых", "пять восьмых");
        row("1 1/4", F(1, 4, 1), "одна целая одна четвёртая", "одну целую одну четвёртую");
        row("2 1/2", F(1, 2, 2), "две целых одна вторая", "две целых одну вторую");
        row("21/100", F(21, 100), "двадцать одна сотая", "двадцать одну сотую");
        row("11/12", F(11, 12), "одиннадцать двенадцатых", "одиннадцать двенадцатых");
        row("1 19/36", F(19, 36, 1), "одна целая девятнадцать тридцать шестых",
            "одну целую девятнадцать тридцать шестых");
        row("3/21", F(3, 21), "три двадцать первых", "три двадцать первых");
        row("8", F(0, 1, 8), "восемь", "восемь");
        row("1", F(0, 1, 1), "один", "один");
        row("162", F(0, 1, 162), "сто шестьдесят два", "сто шестьдесят два");
        row("0", F(0, 1), "ноль", "ноль");
        row("2", F(0, 1, 2), "два", "два");
        row("21", F(0, 1, 21), "двадцать один", "двадцать один");
        row("1/3 is soft", F(1, 3), "одна третья", "одну третью");
        row("1/23 compound soft", F(1, 23), "одна двадцать третья", "одну двадцать третью");
        row("2/23 compound soft plural", F(2, 23), "две двадцать третьих", "две двадцать третьих");
        row("31/40", F(31, 40), "тридцать одна сороковая", "тридцать одну сороковую");
        row("41/90", F(41, 90), "сорок одна девяностая", "сорок одну девяностую");
        row("11/21", F(11, 21), "одиннадцать двадцать первых", "одиннадцать двадцать первых");
        row("12/13", F(12, 13), "двенадцать тринадцатых", "двенадцать тринадцатых");
        row("4/7", F(4, 7), "четыре седьмых", "четыре седьмых");
        row("22/25", F(22, 25), "двадцать две двадцать пятых", "двадцать две двадцать пятых");
        row("91/99", F(91, 99), "девяносто одна девяносто девятая",
            "девяносто одну девяносто девятую");
        row("99/100", F(99, 100), "девяносто девять сотых", "девяносто девять сотых");
    }
    void fractionInWords()
    {
        QFETCH(Fraction, f);
        QFETCH(QByteArray, nominative);
        QFETCH(QByteArray, accusative);
        QCOMPARE(Words(f, GrammaticalCase::Nominative), nominative);
        QCOMPARE(Words(f, GrammaticalCase::Accusative), accusative);
    }

    // Every denominator the exercises can have, under a numerator that takes the singular
    // (1, 21) and one that takes the plural (2, 11, and the largest proper numerator).
    void everyDenominator_data()
    {
        QTest::addColumn<Fraction>("f");
        QTest::addColumn<GrammaticalCase>("grammaticalCase");
        QTest::addColumn<QByteArray>("words");
        for (int d = 2; d <= 100; ++d) {
            const Denominator forms = DenominatorForms(d);
            const QByteArray name = "/" + QByteArray::number(d);
            const auto nom = GrammaticalCase::Nominative;
            const auto acc = GrammaticalCase::Accusative;
            QTest::newRow(QByteArray("1" + name).constData())
                << F(1, d) << nom << "одна " + forms.Nominative;
            QTest::newRow(QByteArray("1" + name + " acc").constData())
                << F(1, d) << acc << "одну " + forms.Accusative;
            QTest::newRow(QByteArray("2" + name).constData())
                << F(2, d) << nom << "две " + forms.Plural;
            QTest::newRow(QByteArray("2" + name + " acc").constData())
                << F(2, d) << acc << "две " + forms.Plural;
            if (d > 11) {
                QTest::newRow(QByteArray("11" + name).constData())
                    << F(11, d) << nom << "одиннадцать " + forms.Plural;
                QTest::newRow(QByteArray("11" + name + " acc").constData())
                    << F(11, d) << acc << "одиннадцать " + forms.Plural;
            }
            if (d > 21) {
                QTest::newRow(QByteArray("21" + name).constData())
                    << F(21, d) << nom << "двадцать одна " + forms.Nominative;
                QTest::newRow(QByteArray("21" + name + " acc").constData())
                    << F(21, d) << acc << "двадцать одну " + forms.Accusative;
            }
            if (d == 100) {
                QTest::newRow(QByteArray("99" + name).constData())
                    << F(99, d) << acc << QByteArray("девяносто девять сотых");
                QTest::newRow(QByteArray("81" + name).constData())
                    << F(81, d) << nom << QByteArray("восемьдесят одна сотая");
            }
        }
    }
    void everyDenominator()
    {
        QFETCH(Fraction, f);
        QFETCH(GrammaticalCase, grammaticalCase);
        QFETCH(QByteArray, words);
        QCOMPARE(Words(f, grammaticalCase), words);
    }

    // "целая" agrees like the numerator; the whole part is feminine before it.
    void wholeParts_data()
    {
        QTest::addColumn<Fraction>("f");
        QTest::addColumn<QByteArray>("nominative");
        QTest::addColumn<QByteArray>("accusative");
        auto row = [](const char* name, Fraction f, const char* nom, const char* acc) {
            QTest::newRow(name) << f << QByteArray(nom) << QByteArray(acc);
        };
        row("1 3/4", F(3, 4, 1), "одна целая три четвёртых", "одну целую три четвёртых");
        row("2 3/4", F(3, 4, 2), "две целых три четвёртых", "две целых три четвёртых");
        row("5 1/6", F(1, 6, 5), "пять целых одна шестая", "пять целых одну шестую");
        row("11 1/2", F(1, 2, 11), "одиннадцать целых одна вторая",
            "одиннадцать целых одну вторую");
        row("21 1/2", F(1, 2, 21), "двадцать одна целая одна вторая",
            "двадцать одну целую одну вторую");
        row("21 5/9", F(5, 9, 21), "двадцать одна целая пять девятых",
            "двадцать одну целую пять девятых");
        row("12 11/12", F(11, 12, 12), "двенадцать целых одиннадцать двенадцатых",
            "двенадцать целых одиннадцать двенадцатых");
        row("101 1/101", F(1, 101, 101), "сто одна целая одна сто первая",
            "сто одну целую одну сто первую");
        row("111 1/2", F(1, 2, 111), "сто одиннадцать целых одна вторая",
            "сто одиннадцать целых одну вторую");
        row("1001 1/2", F(1, 2, 1001), "одна тысяча одна целая одна вторая",
            "одну тысячу одну целую одну вторую");
    }
    void wholeParts()
    {
        QFETCH(Fraction, f);
        QFETCH(QByteArray, nominative);
        QFETCH(QByteArray, accusative);
        QCOMPARE(Words(f, GrammaticalCase::Nominative), nominative);
        QCOMPARE(Words(f, GrammaticalCase::Accusative), accusative);
    }

    // Past 100: only the last word is an ordinal, round hundreds and thousands are one word.
    void largeDenominators_data()
    {
        QTest::addColumn<int>("denominator");
        QTest::addColumn<QByteArray>("singular");
        QTest::addColumn<QByteArray>("plural");
        auto row = [](int d, const char* singular, const char* plural) {
            QTest::newRow(QByteArray::number(d).constData())
                << d << QByteArray(singular) << QByteArray(plural);
        };
        row(101, "сто первая", "сто первых");
        row(103, "сто третья", "сто третьих");
        row(111, "сто одиннадцатая", "сто одиннадцатых");
        row(120, "сто двадцатая", "сто двадцатых");
        row(162, "сто шестьдесят вторая", "сто шестьдесят вторых");
        row(200, "двухсотая", "двухсотых");
        row(300, "трёхсотая", "трёхсотых");
        row(400, "четырёхсотая", "четырёхсотых");
        row(500, "пятисотая", "пятисотых");
        row(900, "девятисотая", "девятисотых");
        row(999, "девятьсот девяносто девятая", "девятьсот девяносто девятых");
        row(1000, "тысячная", "тысячных");
        row(1001, "одна тысяча первая", "одна тысяча первых");
        row(1100, "одна тысяча сотая", "одна тысяча сотых");
        row(1200, "одна тысяча двухсотая", "одна тысяча двухсотых");
        row(2000, "двухтысячная", "двухтысячных");
        row(2003, "две тысячи третья", "две тысячи третьих");
        row(5000, "пятитысячная", "пятитысячных");
        row(10000, "десятитысячная", "десятитысячных");
        row(11000, "одиннадцатитысячная", "одиннадцатитысячных");
        row(21000, "двадцатиоднотысячная", "двадцатиоднотысячных");
        row(32000, "тридцатидвухтысячная", "тридцатидвухтысячных");
        row(32767, "тридцать две тысячи семьсот шестьдесят седьмая",
            "тридцать две тысячи семьсот шестьдесят седьмых");
    }
    void largeDenominators()
    {
        QFETCH(int, denominator);
        QFETCH(QByteArray, singular);
        QFETCH(QByteArray, plural);
        QCOMPARE(Words(F(1, denominator), GrammaticalCase::Nominative), "одна " + singular);
        QCOMPARE(Words(F(3, denominator), GrammaticalCase::Nominative), "три " + plural);
    }

    // Fields the exercises never hold but a 16-bit record can: read as written.
    void unusualFields_data()
    {
        QTest::addColumn<Fraction>("f");
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("improper is not reduced") << F(5, 3) << QByteArray("пять третьих");
        QTest::newRow("unreduced") << F(2, 4) << QByteArray("две четвёртых");
        QTest::newRow("negative numerator") << F(-1, 2) << QByteArray("минус одна вторая");
        QTest::newRow("negative whole")
            << F(1, 2, -1) << QByteArray("минус одна целая одна вторая");
        QTest::newRow("negative whole number") << F(0, 1, -8) << QByteArray("минус восемь");
        QTest::newRow("negative denominator") << F(3, -4) << QByteArray("три минус четвёртых");
        QTest::newRow("zero denominator") << F(1, 0) << QByteArray("одна нулевая");
        QTest::newRow("zero over zero") << F(0, 0) << QByteArray("ноль");
        QTest::newRow("smallest fields")
            << F(-32768, -32768, -32768)
            << QByteArray("минус тридцать две тысячи семьсот шестьдесят восемь целых "
                          "минус тридцать две тысячи семьсот шестьдесят восемь "
                          "минус тридцать две тысячи семьсот шестьдесят восьмых");
    }
    void unusualFields()
    {
        QFETCH(Fraction, f);
        QFETCH(QByteArray, words);
        QCOMPARE(Words(f, GrammaticalCase::Nominative), words);
    }

    // Any three 16-bit fields give words, never an exception.
    void anyFieldsAreRead()
    {
        const std::array<int, 9> values = {-32768, -32767, -11, -1, 0, 1, 21, 32766, 32767};
        for (int whole : values) {
            for (int numerator : values) {
                for (int denominator : values) {
                    const Fraction f = F(numerator, denominator, whole);
                    const QByteArray label = QByteArray::number(whole) + " " +
                                             QByteArray::number(numerator) + "/" +
                                             QByteArray::number(denominator);
                    for (GrammaticalCase c :
                         {GrammaticalCase::Nominative, GrammaticalCase::Accusative}) {
                        std::string words;
                        QVERIFY_THROWS_NO_EXCEPTION(words = engine::FractionInWords(f, c));
                        QVERIFY2(!words.empty(), label.constData());
                        QVERIFY2(words.find("  ") == std::string::npos, words.c_str());
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(FractionWordsTest)
#include "tst_fraction_words.moc"
