// SPDX-License-Identifier: GPL-3.0-or-later
// Judging typed answers and grading the count of right ones.
#include "engine/answer_check.h"

#include <QTest>

#include <string>

using engine::Operation;
using engine::RowTexts;

Q_DECLARE_METATYPE(engine::RowTexts)
Q_DECLARE_METATYPE(engine::Operation)

namespace {

// Row 0 of a test: 1/3 x 3/4 (= 1/4), with the pupil's three texts.
RowTexts ProductRow(std::string numerator, std::string denominator, std::string whole)
{
    return {{"1", "3", "0"},
            {"3", "4", "0"},
            {std::move(numerator), std::move(denominator), std::move(whole)}};
}

// 1 1/2 x 1 (= 1 1/2).
RowTexts OneAndAHalfRow(std::string numerator, std::string denominator, std::string whole)
{
    return {{"1", "2", "1"},
            {"0", "1", "1"},
            {std::move(numerator), std::move(denominator), std::move(whole)}};
}

// 4 : 1/2 (= 8), a whole-number result.
RowTexts WholeRow(std::string numerator, std::string denominator, std::string whole)
{
    return {{"0", "1", "4"},
            {"1", "2", "0"},
            {std::move(numerator), std::move(denominator), std::move(whole)}};
}

engine::TaskOpsTable AllProducts()
{
    engine::TaskOpsTable ops;
    ops.fill(Operation::Multiply);
    return ops;
}

engine::TestTexts TestWithRightRows(int right)
{
    engine::TestTexts texts;
    for (int row = 0; row < engine::kRowCount; ++row) {
        texts[row] = row < right ? ProductRow("1", "4", "0") : ProductRow("1", "3", "0");
    }
    return texts;
}

} // namespace

class AnswerCheckTest : public QObject {
    Q_OBJECT

private slots:
    void rowVerdicts_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<RowTexts>("texts");
        QTest::addColumn<bool>("right");

        const Operation mul = Operation::Multiply;
        const Operation div = Operation::Divide;
        QTest::newRow("reduced proper fraction") << mul << ProductRow("1", "4", "0") << true;
        QTest::newRow("empty whole box reads 0") << mul << ProductRow("1", "4", "") << true;
        QTest::newRow("unreduced 3/12") << mul << ProductRow("3", "12", "0") << false;
        QTest::newRow("mixed 1 1/2") << mul << OneAndAHalfRow("1", "2", "1") << true;
        QTest::newRow("improper 3/2") << mul << OneAndAHalfRow("3", "2", "0") << false;
        QTest::newRow("unreduced 1 2/4") << mul << OneAndAHalfRow("2", "4", "1") << false;
        QTest::newRow("whole number with defaults") << div << WholeRow("0", "1", "8") << true;
        QTest::newRow("whole number, empty boxes read 0/0")
            << div << WholeRow("", "", "8") << false;
        QTest::newRow("whole number as 8/1") << div << WholeRow("8", "1", "0") << false;
        QTest::newRow("1.5 reads 2") << div << WholeRow("0", "1", "7.5") << true;
        QTest::newRow("2.5 reads 2, not 3") << mul << OneAndAHalfRow("1", "2.5", "1") << true;
        QTest::newRow("letters read 0") << mul << ProductRow("1", "4", "ноль") << true;
        QTest::newRow("-3 reads -3") << div << WholeRow("0", "1", "-3") << false;
        QTest::newRow("unknown code divides") << Operation{0} << WholeRow("0", "1", "8") << true;
        QTest::newRow("code 7 divides") << Operation{7} << WholeRow("0", "1", "8") << true;
        QTest::newRow("40000 is wrong, not fatal") << mul << ProductRow("1", "4", "40000") << false;
        QTest::newRow("30 digits") << mul << ProductRow(std::string(30, '9'), "4", "0") << false;
        QTest::newRow("just inside the range") << mul << ProductRow("1", "4", "-32768.5") << false;
    }
    void rowVerdicts()
    {
        QFETCH(Operation, operation);
        QFETCH(RowTexts, texts);
        QFETCH(bool, right);
        QCOMPARE(engine::IsRowRight(texts, operation), right);
    }

    void grades_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("wrong");
        QTest::newRow("10") << 10 << "5. Отличная работа"
                            << "5" << 0;
        QTest::newRow("9") << 9 << "4. Неплохо"
                           << "4" << 1;
        QTest::newRow("8") << 8 << "3. Старайтесь быть повнимательнее"
                           << "3" << 2;
        QTest::newRow("7") << 7 << "2. Вам нужно повторить тему"
                           << "2" << 3;
        QTest::newRow("1") << 1 << "2. Вам нужно повторить тему"
                           << "2" << 9;
        QTest::newRow("0") << 0 << "2. Вам нужно повторить тему"
                           << "2" << 10;
    }
    void grades()
    {
        QFETCH(int, right);
        const engine::Marking marking =
            engine::MarkAnswers(TestWithRightRows(right), AllProducts());
        QCOMPARE(int(marking.RightCount), right);
        QTEST(int(marking.WrongCount()), "wrong");
        QTEST(QString::fromStdString(marking.GradeText), "grade");
        QTEST(QString::fromStdString(marking.MarkText()), "mark");
        for (int row = 0; row < engine::kRowCount; ++row) {
            QCOMPARE(marking.Right[row], row < right);
        }
    }

    // An out-of-range number in one row does not stop the other rows being judged.
    void overflowInOneRowLeavesTheRest()
    {
        engine::TestTexts texts = TestWithRightRows(10);
        texts[3].TypedAnswer.Whole = "40000";
        texts[7].TypedAnswer.Numerator = std::string(1000, '9');
        const engine::Marking marking = engine::MarkAnswers(texts, AllProducts());
        QCOMPARE(int(marking.RightCount), 8);
        QVERIFY(!marking.Right[3]);
        QVERIFY(!marking.Right[7]);
        QVERIFY(marking.Right[9]);
    }
};

QTEST_APPLESS_MAIN(AnswerCheckTest)
#include "tst_answer_check.moc"
