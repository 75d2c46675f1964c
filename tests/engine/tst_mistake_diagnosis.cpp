// SPDX-License-Identifier: GPL-3.0-or-later
// What a wrong answer reveals: hand-worked answers to known exercises with the words each must
// give, and every exercise the generator can make checked for overflow and for ambiguity that
// is named rather than hidden.
#include "engine/mistake_diagnosis.h"
#include "engine/shown_exercise.h"
#include "engine/task_generator.h"

#include <QTest>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

using engine::Fraction;
using engine::Mistake;
using engine::Operation;
using engine::TypedAnswer;

Q_DECLARE_METATYPE(engine::Fraction)
Q_DECLARE_METATYPE(engine::Operation)
Q_DECLARE_METATYPE(engine::TypedAnswer)

namespace {

constexpr Operation kTimes = Operation::Multiply;
constexpr Operation kBy = Operation::Divide;

// A shown operand, whole part first as it is read: Shown(1, 2, 5) is 1 2/5.
Fraction Shown(int whole, int numerator, int denominator)
{
    return {static_cast<core::Int16>(numerator), static_cast<core::Int16>(denominator),
            static_cast<core::Int16>(whole)};
}

// The three boxes in the order they stand on the form: whole, numerator, denominator.
TypedAnswer Typed(std::string whole, std::string numerator, std::string denominator)
{
    return {std::move(whole), std::move(numerator), std::move(denominator)};
}

// A positive value typed in normal form, or nothing if a part would not fit a box.
std::optional<TypedAnswer> TypedNormalForm(const engine::Ratio& v)
{
    const std::int64_t whole = v.Num / v.Den;
    const std::int64_t numerator = v.Num % v.Den;
    const std::int64_t denominator = numerator == 0 ? 1 : v.Den;
    if (v.Num <= 0 || whole > INT16_MAX || denominator > INT16_MAX) {
        return std::nullopt;
    }
    return Typed(std::to_string(whole), std::to_string(numerator), std::to_string(denominator));
}

QString Describe(int row, int draw, int secondDraw)
{
    return QStringLiteral("row %1, draws %2 and %3").arg(row).arg(draw).arg(secondDraw);
}

bool Holds(const std::vector<Mistake>& list, Mistake m)
{
    return std::find(list.begin(), list.end(), m) != list.end();
}

} // namespace

class MistakeDiagnosisTest : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<Fraction>("first");
        QTest::addColumn<Fraction>("second");
        QTest::addColumn<TypedAnswer>("typed");
        QTest::addColumn<QString>("words");

        // 1/3 : 3/4 = 4/9 (row 1, n = 3).
        const Fraction third = Shown(0, 1, 3);
        const Fraction threeQuarters = Shown(0, 3, 4);
        QTest::newRow("÷ as ×: 1/3 · 3/4 = 1/4")
            << kBy << third << threeQuarters << Typed("", "1", "4") << "не перевёрнут делитель";
        QTest::newRow("÷ as ×, unreduced 3/12")
            << kBy << third << threeQuarters << Typed("0", "3", "12")
            << "не перевёрнут делитель; ответ не сокращён";
        QTest::newRow("upside down: 3/4 : 1/3 = 2 1/4")
            << kBy << third << threeQuarters << Typed("2", "1", "4") << "перевёрнута не та дробь";
        QTest::newRow("upside down as 9/4") << kBy << third << threeQuarters << Typed("", "9", "4")
                                            << "перевёрнута не та дробь; не выделена целая часть";
        QTest::newRow("both turned: 3 · 4/3 = 4")
            << kBy << third << threeQuarters << Typed("4", "", "") << "перевёрнуты обе дроби";
        QTest::newRow("right 4/9") << kBy << third << threeQuarters << Typed("0", "4", "9") << "";
        QTest::newRow("another mistake: 1/2")
            << kBy << third << threeQuarters << Typed("", "1", "2") << "другая ошибка";

        // 1/3 · 3/4 = 1/4 (row 0, n = 3).
        QTest::newRow("× turned: 1/3 : 3/4 = 4/9")
            << kTimes << third << threeQuarters << Typed("", "4", "9")
            << "при умножении перевёрнута дробь";
        QTest::newRow("× turned the other way: 2 1/4")
            << kTimes << third << threeQuarters << Typed("2", "1", "4")
            << "при умножении перевёрнута дробь";
        QTest::newRow("right value, not reduced: 3/12")
            << kTimes << third << threeQuarters << Typed("0", "3", "12")
            << "значение верное; ответ не сокращён";

        // 1 2/5 · 1 1/3 = 28/15 = 1 13/15 (row 8, n = 5).
        const Fraction oneTwoFifths = Shown(1, 2, 5);
        const Fraction oneThird = Shown(1, 1, 3);
        QTest::newRow("× parts apart: 1·1 + 2/15")
            << kTimes << oneTwoFifths << oneThird << Typed("1", "2", "15")
            << "целые части и дроби посчитаны отдельно";
        QTest::newRow("× wrong mixed: (1+2)/5 · 4/3 = 4/5")
            << kTimes << oneTwoFifths << oneThird << Typed("", "4", "5")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("× wrong mixed in both: 3/5 · 2/3 = 2/5")
            << kTimes << oneTwoFifths << oneThird << Typed("", "2", "5")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("× only wholes: 1") << kTimes << oneTwoFifths << oneThird
                                          << Typed("1", "0", "1") << "взяты только целые части";
        QTest::newRow("right value, whole not taken out: 28/15")
            << kTimes << oneTwoFifths << oneThird << Typed("0", "28", "15")
            << "значение верное; не выделена целая часть";
        QTest::newRow("right value, neither: 56/30")
            << kTimes << oneTwoFifths << oneThird << Typed("", "56", "30")
            << "значение верное; ответ не сокращён; не выделена целая часть";
        QTest::newRow("right value, whole and numerator of opposite signs: 2 -2/15")
            << kTimes << oneTwoFifths << oneThird << Typed("2", "-2", "15")
            << "значение верное; ответ записан не в обычном виде";

        // 1 1/3 : 1 1/4 = 16/15 = 1 1/15 (row 6, n = 3).
        const Fraction oneQuarter = Shown(1, 1, 4);
        QTest::newRow("÷ parts apart: 1:1 + (1/3):(1/4) = 2 1/3")
            << kBy << oneThird << oneQuarter << Typed("2", "1", "3")
            << "целые части и дроби посчитаны отдельно";
        QTest::newRow("÷ wrong mixed: (1+1)/3 : 5/4 = 8/15")
            << kBy << oneThird << oneQuarter << Typed("", "8", "15")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("÷ wrong mixed divisor: 4/3 : (1+1)/4 = 2 2/3")
            << kBy << oneThird << oneQuarter << Typed("2", "2", "3")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("÷ only wholes: 1 : 1")
            << kBy << oneThird << oneQuarter << Typed("1", "", "") << "взяты только целые части";

        // 2 1/2 · 2/5 = 1 (row 7, n = 2): the whole times the numerator plus the denominator.
        const Fraction twoAndAHalf = Shown(2, 1, 2);
        const Fraction twoFifths = Shown(0, 2, 5);
        QTest::newRow("× wrong mixed: (2·1+2)/2 · 2/5 = 4/5")
            << kTimes << twoAndAHalf << twoFifths << Typed("", "4", "5")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("× wrong mixed: (2+1)/2 · 2/5 = 3/5")
            << kTimes << twoAndAHalf << twoFifths << Typed("", "3", "5")
            << "смешанное число обращено в дробь с ошибкой";
        QTest::newRow("× parts apart with no second whole: 1/2 · 2/5")
            << kTimes << twoAndAHalf << twoFifths << Typed("", "1", "5")
            << "целые части и дроби посчитаны отдельно";

        // 3/100 · 7/100 = 21/10000 (row 9).
        QTest::newRow("× common denominator kept: 21/100")
            << kTimes << Shown(0, 3, 100) << Shown(0, 7, 100) << Typed("", "21", "100")
            << "при умножении оставлен общий знаменатель";

        // 1 1/9 · 6/7 = 20/21 (row 3, n = 9) and 1 1/2 : 1 1/3 = 9/8 (row 6, n = 2).
        QTest::newRow("60/63 for 20/21")
            << kTimes << Shown(1, 1, 9) << Shown(0, 6, 7) << Typed("", "60", "63")
            << "значение верное; ответ не сокращён";
        QTest::newRow("0 9/8 for 1 1/8")
            << kBy << Shown(1, 1, 2) << oneThird << Typed("0", "9", "8")
            << "значение верное; не выделена целая часть";

        // 1/2 : 1 = 1/2: turning the dividend and turning both give the same 2, and forgetting
        // to turn the divisor gives the right value.
        const Fraction half = Shown(0, 1, 2);
        const Fraction one = Shown(1, 0, 1);
        QTest::newRow("two rules, one value")
            << kBy << half << one << Typed("2", "", "")
            << "перевёрнута не та дробь или перевёрнуты обе дроби (не различить)";
        QTest::newRow("right value a rule also gives")
            << kBy << half << one << Typed("", "2", "4")
            << "значение верное; ответ не сокращён; такое же значение даёт ошибка: не "
               "перевёрнут делитель";
        QTest::newRow("right, though a rule gives it too")
            << kBy << half << one << Typed("0", "1", "2") << "";

        // What cannot be read.
        QTest::newRow("all boxes empty")
            << kBy << third << threeQuarters << Typed("", "", "") << "нет ответа";
        QTest::newRow("the boxes as hand-in fills them")
            << kBy << third << threeQuarters << Typed("0", "0", "1") << "нет ответа";
        QTest::newRow("letters") << kBy << third << threeQuarters << Typed("", "четыре", "9")
                                 << "не число";
        QTest::newRow("beyond 16 bits")
            << kBy << third << threeQuarters << Typed("40000", "", "") << "не число";
        QTest::newRow("zero denominator")
            << kBy << third << threeQuarters << Typed("", "4", "0") << "не число";
        QTest::newRow("a decimal point reads as the program reads it")
            << kBy << third << threeQuarters << Typed("", "4", "9.4") << "";
    }
    void workedExamples()
    {
        QFETCH(Operation, op);
        QFETCH(Fraction, first);
        QFETCH(Fraction, second);
        QFETCH(TypedAnswer, typed);
        QFETCH(QString, words);
        const engine::Diagnosis d = engine::DiagnoseAnswer(op, first, second, typed);
        QCOMPARE(QString::fromStdString(engine::DiagnosisWords(d)), words);
        QCOMPARE(d.Right, words.isEmpty());
    }

    void ambiguityIsFlagged()
    {
        const Fraction half = Shown(0, 1, 2);
        const Fraction one = Shown(1, 0, 1);
        const engine::Diagnosis twoRules =
            engine::DiagnoseAnswer(kBy, half, one, Typed("2", "", ""));
        QVERIFY(twoRules.Ambiguous());
        const engine::Diagnosis rightValue =
            engine::DiagnoseAnswer(kBy, half, one, Typed("0", "1", "2"));
        QVERIFY(rightValue.Right);
        QVERIFY(Holds(rightValue.SameAsRight, Mistake::DivisorNotTurned));
        QVERIFY(rightValue.Ambiguous());
        const engine::Diagnosis plain =
            engine::DiagnoseAnswer(kBy, Shown(0, 1, 3), Shown(0, 3, 4), Typed("", "1", "4"));
        QVERIFY(!plain.Ambiguous());
    }

    // The exact arithmetic underneath: lowest terms, and an error rather than a wrapped value.
    void exactRatios()
    {
        using engine::MakeRatio;
        QCOMPARE(MakeRatio(6, -4), (engine::Ratio{-3, 2}));
        QCOMPARE(MakeRatio(0, -7), (engine::Ratio{0, 1}));
        QCOMPARE(MakeRatio(2, 3) * MakeRatio(9, 4), MakeRatio(3, 2));
        QCOMPARE(MakeRatio(1, 6) + MakeRatio(1, 10), MakeRatio(4, 15));
        QCOMPARE(MakeRatio(1, 2) / MakeRatio(-3, 4), MakeRatio(-2, 3));
        const engine::Ratio huge = MakeRatio(INT64_MAX / 2, 1);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, huge * MakeRatio(3, 1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, huge + huge + huge);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, MakeRatio(1, INT64_MAX) + MakeRatio(1, 3));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, MakeRatio(INT64_MIN, 1));
        QVERIFY_THROWS_EXCEPTION(std::domain_error, MakeRatio(1, 0));
        QVERIFY_THROWS_EXCEPTION(std::domain_error, MakeRatio(1, 2) / MakeRatio(0, 5));
    }

    // A journal's rows are hostile: operands no exercise has must still give an answer, never
    // an exception or a wrapped value.
    void extremeOperandsAreSafe_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<Fraction>("first");
        QTest::addColumn<Fraction>("second");
        QTest::addColumn<TypedAnswer>("typed");
        QTest::addColumn<QString>("words");
        const Fraction biggest = Shown(32767, 32766, 32767);
        const Fraction lowest = Shown(-32768, -32768, 32767);
        QTest::newRow("largest mixed numbers multiplied")
            << kTimes << biggest << biggest << Typed("2", "", "") << "другая ошибка";
        QTest::newRow("largest mixed numbers divided")
            << kBy << biggest << biggest << Typed("1", "", "") << "";
        QTest::newRow("lowest values") << kBy << lowest << lowest << Typed("1", "", "") << "";
        QTest::newRow("zero denominator in an operand")
            << kTimes << Shown(0, 1, 0) << Shown(0, 1, 2) << Typed("1", "", "") << "другая ошибка";
        QTest::newRow("dividing by zero")
            << kBy << Shown(0, 1, 2) << Shown(0, 0, 1) << Typed("1", "", "") << "другая ошибка";
    }
    void extremeOperandsAreSafe()
    {
        QFETCH(Operation, op);
        QFETCH(Fraction, first);
        QFETCH(Fraction, second);
        QFETCH(TypedAnswer, typed);
        QFETCH(QString, words);
        QCOMPARE(QString::fromStdString(
                     engine::DiagnosisWords(engine::DiagnoseAnswer(op, first, second, typed))),
                 words);
    }

    void exerciseKinds_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("draw");
        QTest::addColumn<QString>("kind");
        QTest::newRow("row 0") << 0 << 3 << "дробь × дробь";
        QTest::newRow("row 2") << 2 << 3 << "целое число : дробь";
        QTest::newRow("row 3, n = 4: 1 1/4 × 1/2") << 3 << 4 << "смешанное число × дробь";
        QTest::newRow("row 5") << 5 << 4 << "дробь : целое число";
        QTest::newRow("row 6") << 6 << 3 << "смешанное число : смешанное число";
    }
    void exerciseKinds()
    {
        QFETCH(int, row);
        QFETCH(int, draw);
        QFETCH(QString, kind);
        const engine::ShownRow s = engine::ShownExercise(row, static_cast<float>(draw));
        QCOMPARE(QString::fromStdString(engine::ExerciseKindWords(s.Op, s.First, s.Second)), kind);
    }

    // Every exercise the generator can make: its rule values are worked without overflow, the
    // exact right value is the key the test shows, the key is judged right, and typing each
    // rule's value names that rule together with every other rule giving the same value.
    void everyGeneratedExercise()
    {
        for (int row = 0; row < engine::kRowCount; ++row) {
            const engine::DrawRange range = engine::RowDrawRange(row);
            const int secondHighest = engine::RowDrawCount(row) == 2 ? range.Highest() : 0;
            const int secondLowest = engine::RowDrawCount(row) == 2 ? range.Lowest() : 0;
            for (int draw = range.Lowest(); draw <= range.Highest(); ++draw) {
                for (int second = secondLowest; second <= secondHighest; ++second) {
                    CheckExercise(row, draw, second);
                    if (QTest::currentTestFailed()) {
                        return;
                    }
                }
            }
        }
    }

private:
    static void CheckExercise(int row, int draw, int secondDraw)
    {
        const QString where = Describe(row, draw, secondDraw);
        const engine::ShownRow s =
            engine::ShownExercise(row, static_cast<float>(draw), static_cast<float>(secondDraw));
        std::vector<engine::RuleValue> rules;
        try {
            rules = engine::RuleValues(s.Op, s.First, s.Second);
        } catch (const std::exception& e) {
            QFAIL(qPrintable(where + QStringLiteral(": ") + QString::fromLatin1(e.what())));
        }
        const engine::Ratio right = engine::RightValue(s.Op, s.First, s.Second);
        QVERIFY2(right == engine::RatioOf(s.Key), qPrintable(where));

        const auto typedKey = TypedNormalForm(right);
        QVERIFY2(typedKey.has_value(), qPrintable(where));
        const engine::Diagnosis keyed = engine::DiagnoseAnswer(s.Op, s.First, s.Second, *typedKey);
        QVERIFY2(keyed.Right && keyed.Mistakes.empty() && keyed.Form.empty(), qPrintable(where));

        for (const engine::RuleValue& rule : rules) {
            const QString at = where + QStringLiteral(", rule %1, value %2/%3")
                                           .arg(int(rule.Rule))
                                           .arg(rule.Value.Num)
                                           .arg(rule.Value.Den);
            const auto typed = TypedNormalForm(rule.Value);
            if (!typed) {
                continue; // a value no box could hold (a 0 or one past 16 bits) cannot be typed
            }
            const engine::Diagnosis d = engine::DiagnoseAnswer(s.Op, s.First, s.Second, *typed);
            if (rule.Value == right) {
                QVERIFY2(d.ValueRight && Holds(d.SameAsRight, rule.Rule), qPrintable(at));
                QVERIFY2(d.Ambiguous(), qPrintable(at));
                continue;
            }
            QVERIFY2(!d.ValueRight && d.Form.empty(), qPrintable(at));
            std::vector<Mistake> sameValue;
            for (const engine::RuleValue& other : rules) {
                if (other.Value == rule.Value && !Holds(sameValue, other.Rule)) {
                    sameValue.push_back(other.Rule);
                }
            }
            std::vector<Mistake> named = d.Mistakes;
            std::sort(named.begin(), named.end());
            std::sort(sameValue.begin(), sameValue.end());
            QVERIFY2(named == sameValue, qPrintable(at));
            QCOMPARE(d.Ambiguous(), sameValue.size() > 1);
        }
    }
};

QTEST_APPLESS_MAIN(MistakeDiagnosisTest)
#include "tst_mistake_diagnosis.moc"
