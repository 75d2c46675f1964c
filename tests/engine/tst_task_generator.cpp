// SPDX-License-Identifier: GPL-3.0-or-later
// Every exercise the generator can make, checked against exact arithmetic done independently
// of the fraction routines, and the marking of each one's answer.
#include "core/conversions.h"
#include "engine/answer_check.h"
#include "engine/task_generator.h"
#include "tests/support/scripted_random_source.h"
#include "tests/support/shown_fraction.h"

#include <QTest>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

using engine::Exercise;
using engine::Fraction;

namespace {

// An exact rational in 64 bits.
struct Rational {
    std::int64_t num;
    std::int64_t den;
};

Rational Times(Rational a, Rational b)
{
    return {a.num * b.num, a.den * b.den};
}
Rational Over(Rational a, Rational b)
{
    return {a.num * b.den, a.den * b.num};
}

// The normal form of a non-negative rational: whole part, then a proper reduced fraction with
// denominator 1 when the fractional part is zero.
Fraction Normal(Rational r)
{
    const std::int64_t g = std::gcd(r.num, r.den);
    const std::int64_t num = r.num / g;
    const std::int64_t den = r.den / g;
    const std::int64_t whole = num / den;
    const std::int64_t rest = num % den;
    return Fraction{core::Int16(rest), core::Int16(rest == 0 ? 1 : den), core::Int16(whole)};
}

// The operands each row's pattern calls for, written straight from the pattern.
std::pair<Rational, Rational> PatternOperands(int row, std::int64_t n, std::int64_t b)
{
    switch (row) {
    case 0:
    case 1:
        return {{1, n}, {n, n + 1}};
    case 2:
        return {{2 * n, 1}, {1, n}};
    case 3:
        return {{n + 1, n}, {n - 3, n - 2}};
    case 4:
        return {{n, 1}, {1, n + 1}};
    case 5:
        return {{1, n}, {n - 1, 1}};
    case 6:
        return {{n + 1, n}, {n + 2, n + 1}};
    case 7:
        return {{2 * n + 1, n}, {n, 2 * n + 1}};
    case 8:
        return {{n + 2, n}, {n + 3, n + 1}};
    default:
        return {{n, 100}, {b, 100}};
    }
}

bool IsNormal(const Fraction& f)
{
    if (f.Whole < 0 || f.Numerator < 0 || f.Numerator >= f.Denominator) {
        return false;
    }
    if (f.Numerator == 0) {
        return f.Denominator == 1;
    }
    return std::gcd(f.Numerator, f.Denominator) == 1;
}

std::string T(core::Int16 value)
{
    return core::Int16ToText(value);
}

engine::FractionTexts TextsOf(const Fraction& f)
{
    return {T(f.Numerator), T(f.Denominator), T(f.Whole)};
}

engine::RowTexts Texts(const Fraction& a, const Fraction& b, const Fraction& typed)
{
    return {TextsOf(a), TextsOf(b), TextsOf(typed)};
}

// Typed answers that must all be judged wrong: unreduced, improper, and off by one in any part.
std::vector<Fraction> WrongForms(const Fraction& right)
{
    using core::Int16;
    std::vector<Fraction> forms;
    forms.push_back({Int16(right.Numerator * 2), Int16(right.Denominator * 2), right.Whole});
    if (right.Whole > 0 && right.Numerator > 0) {
        forms.push_back(
            {Int16(right.Whole * right.Denominator + right.Numerator), right.Denominator, 0});
    }
    for (int delta : {-1, 1}) {
        forms.push_back({Int16(right.Numerator + delta), right.Denominator, right.Whole});
        forms.push_back({right.Numerator, Int16(right.Denominator + delta), right.Whole});
        forms.push_back({right.Numerator, right.Denominator, Int16(right.Whole + delta)});
    }
    return forms;
}

struct ShowCall {
    int row;
    engine::ExercisePart part;
    Fraction shown;
};

} // namespace

class TaskGeneratorTest : public QObject {
    Q_OBJECT

private:
    void checkExercise(int row, int n, int b)
    {
        const auto [patternA, patternB] = PatternOperands(row, n, b);
        const engine::Operation op = engine::kRowOperations[row];
        const Rational exact = op == engine::Operation::Multiply ? Times(patternA, patternB)
                                                                 : Over(patternA, patternB);

        Exercise e = engine::BuildExercise(row, float(n), float(b));
        QCOMPARE(e.Op, op);
        const Fraction a = Shown(e.First);
        const Fraction bShown = Shown(e.Second);
        const Fraction answer = Shown(e.Answer);
        QVERIFY2(a == Normal(patternA), qPrintable(QString("row %1 n %2 first").arg(row).arg(n)));
        QVERIFY2(bShown == Normal(patternB),
                 qPrintable(QString("row %1 n %2 second").arg(row).arg(n)));
        QVERIFY2(answer == Normal(exact), qPrintable(QString("row %1 n %2 b %3 answer %4")
                                                         .arg(row)
                                                         .arg(n)
                                                         .arg(b)
                                                         .arg(FractionText(answer).c_str())));
        QVERIFY(IsNormal(a) && IsNormal(bShown) && IsNormal(answer));

        // The marking, reading the operands back from their texts, accepts exactly this answer.
        QVERIFY(engine::IsRowRight(Texts(a, bShown, answer), op));
        for (const Fraction& wrong : WrongForms(answer)) {
            QVERIFY2(
                !engine::IsRowRight(Texts(a, bShown, wrong), op),
                qPrintable(QString("row %1 n %2 b %3 accepted %4 for %5")
                               .arg(row)
                               .arg(n)
                               .arg(b)
                               .arg(FractionText(wrong).c_str(), FractionText(answer).c_str())));
        }
    }

private slots:
    void everyExerciseOfRowsZeroToEight_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < 9; ++row) {
            QTest::addRow("row %d", row) << row;
        }
    }
    void everyExerciseOfRowsZeroToEight()
    {
        QFETCH(int, row);
        const engine::DrawRange range = engine::RowDrawRange(row);
        for (int n = range.Lowest(); n <= range.Highest() && !QTest::currentTestFailed(); ++n) {
            checkExercise(row, n, 0);
        }
    }

    void everyExerciseOfRowNine()
    {
        for (int a = 1; a <= 98; ++a) {
            for (int b = 1; b <= 98 && !QTest::currentTestFailed(); ++b) {
                checkExercise(9, a, b);
            }
        }
    }

    // The extreme numbers a source may give land on the ends of each row's range.
    void drawsCoverTheRanges()
    {
        const int expectedLow[] = {2, 2, 2, 4, 2, 3, 2, 2, 5, 1};
        const int expectedHigh[] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 98};
        for (int row = 0; row < engine::kRowCount; ++row) {
            ScriptedRandomSource low({0.0f});
            ScriptedRandomSource high({kJustBelowOne});
            const engine::DrawRange range = engine::RowDrawRange(row);
            QCOMPARE(engine::Draw(range, low), float(expectedLow[row]));
            QCOMPARE(engine::Draw(range, high), float(expectedHigh[row]));
        }
    }

    void generatedTests_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QStringList>("exercises");
        QTest::newRow("always 0")
            << 0.0f
            << QStringList{"1/2 x 2/3 = 1/3",       "1/2 : 2/3 = 3/4", "4 : 1/2 = 8",
                           "1 1/4 x 1/2 = 5/8",     "2 : 1/3 = 6",     "1/3 : 2 = 1/6",
                           "1 1/2 : 1 1/3 = 1 1/8", "2 1/2 x 2/5 = 1", "1 2/5 x 1 1/3 = 1 13/15",
                           "1/100 : 1/100 = 1"};
        QTest::newRow("always just below 1")
            << kJustBelowOne << QStringList{"1/9 x 9/10 = 1/10",       "1/9 : 9/10 = 10/81",
                                            "18 : 1/9 = 162",          "1 1/9 x 6/7 = 20/21",
                                            "9 : 1/10 = 90",           "1/9 : 8 = 1/72",
                                            "1 1/9 : 1 1/10 = 1 1/99", "2 1/9 x 9/19 = 1",
                                            "1 2/9 x 1 1/5 = 1 7/15",  "49/50 : 49/50 = 1"};
    }
    void generatedTests()
    {
        QFETCH(float, number);
        QFETCH(QStringList, exercises);

        ScriptedRandomSource random({number});
        engine::TaskOpsTable taskOps{};
        std::vector<ShowCall> calls;
        engine::GenerateTasks(taskOps, random,
                              [&](core::Int16 row, Fraction& f, engine::ExercisePart part) {
                                  engine::ReduceFraction(f);
                                  engine::ExtractWhole(f);
                                  calls.push_back({row, part, f});
                              });

        QCOMPARE(random.Taken(), 11);
        QCOMPARE(taskOps, engine::kRowOperations);
        QCOMPARE(int(calls.size()), 30);
        QStringList made;
        for (int row = 0; row < engine::kRowCount; ++row) {
            const engine::ExercisePart inOrder[] = {engine::ExercisePart::FirstOperand,
                                                    engine::ExercisePart::SecondOperand,
                                                    engine::ExercisePart::Answer};
            for (int part = 0; part < 3; ++part) {
                QCOMPARE(calls[row * 3 + part].row, row);
                QCOMPARE(calls[row * 3 + part].part, inOrder[part]);
            }
            const char* sign = taskOps[row] == engine::Operation::Multiply ? " x " : " : ";
            const std::size_t first = std::size_t(row) * 3;
            made << QString::fromStdString(FractionText(calls[first].shown) + sign +
                                           FractionText(calls[first + 1].shown) + " = " +
                                           FractionText(calls[first + 2].shown));
        }
        QCOMPARE(made, exercises);
    }

    // Row 9's draws come in order: the first operand's number, then the second's.
    void rowNineDrawsInOrder()
    {
        ScriptedRandomSource random({0.99f, 0.0f});
        const Exercise e = engine::DrawExercise(9, random);
        QCOMPARE(Shown(e.Answer), (Fraction{0, 1, 98}));

        ScriptedRandomSource reversed({0.0f, 0.99f});
        QCOMPARE(Shown(engine::DrawExercise(9, reversed).Answer), (Fraction{1, 98, 0}));
    }

    void sameSequenceSameTest()
    {
        const std::vector<float> numbers = {0.1f, 0.7f, 0.3f, 0.95f, 0.5f, 0.2f,
                                            0.8f, 0.4f, 0.6f, 0.05f, 0.9f};
        auto run = [&] {
            ScriptedRandomSource random(numbers);
            engine::TaskOpsTable taskOps{};
            std::vector<std::string> shown;
            engine::GenerateTasks(taskOps, random,
                                  [&](core::Int16, Fraction& f, engine::ExercisePart) {
                                      shown.push_back(FractionText(Shown(f)));
                                  });
            return shown;
        };
        QCOMPARE(run(), run());
    }
};

QTEST_APPLESS_MAIN(TaskGeneratorTest)
#include "tst_task_generator.moc"
