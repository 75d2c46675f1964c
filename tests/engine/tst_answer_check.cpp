// Judging typed answers and grading the count of right ones.
#include "engine/answer_check.h"

#include <QTest>

#include <string>

using engine::RowTexts;

namespace {

// Row 0 of a test: 1/3 x 3/4 (= 1/4), with the pupil's three texts.
RowTexts ProductRow(std::string numerator, std::string denominator, std::string whole)
{
    return {"1",
            "3",
            "0",
            "3",
            "4",
            "0",
            std::move(numerator),
            std::move(denominator),
            std::move(whole)};
}

// 1 1/2 x 1 (= 1 1/2).
RowTexts OneAndAHalfRow(std::string numerator, std::string denominator, std::string whole)
{
    return {"1",
            "2",
            "1",
            "0",
            "1",
            "1",
            std::move(numerator),
            std::move(denominator),
            std::move(whole)};
}

// 4 : 1/2 (= 8), a whole-number result.
RowTexts WholeRow(std::string numerator, std::string denominator, std::string whole)
{
    return {"0",
            "1",
            "4",
            "1",
            "2",
            "0",
            std::move(numerator),
            std::move(denominator),
            std::move(whole)};
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
        QTest::addColumn<int>("operation");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("right");

        auto row = [](const RowTexts& t) {
            return QStringList{t.At.c_str(), t.Az.c_str(), t.Aw.c_str(), t.Bt.c_str(), t.Bz.c_str(),
                               t.Bw.c_str(), t.Ct.c_str(), t.Cz.c_str(), t.Cw.c_str()};
        };
        const int mul = engine::kMultiply;
        const int div = engine::kDivide;
        QTest::newRow("reduced proper fraction") << mul << row(ProductRow("1", "4", "0")) << true;
        QTest::newRow("empty whole box reads 0") << mul << row(ProductRow("1", "4", "")) << true;
        QTest::newRow("unreduced 3/12") << mul << row(ProductRow("3", "12", "0")) << false;
        QTest::newRow("mixed 1 1/2") << mul << row(OneAndAHalfRow("1", "2", "1")) << true;
        QTest::newRow("improper 3/2") << mul << row(OneAndAHalfRow("3", "2", "0")) << false;
        QTest::newRow("unreduced 1 2/4") << mul << row(OneAndAHalfRow("2", "4", "1")) << false;
        QTest::newRow("whole number with defaults") << div << row(WholeRow("0", "1", "8")) << true;
        QTest::newRow("whole number, empty boxes read 0/0")
            << div << row(WholeRow("", "", "8")) << false;
        QTest::newRow("whole number as 8/1") << div << row(WholeRow("8", "1", "0")) << false;
        QTest::newRow("1.5 reads 2") << div << row(WholeRow("0", "1", "7.5")) << true;
        QTest::newRow("2.5 reads 2, not 3") << mul << row(OneAndAHalfRow("1", "2.5", "1")) << true;
        QTest::newRow("letters read 0") << mul << row(ProductRow("1", "4", "ноль")) << true;
        QTest::newRow("-3 reads -3") << div << row(WholeRow("0", "1", "-3")) << false;
        QTest::newRow("unknown code divides") << 0 << row(WholeRow("0", "1", "8")) << true;
        QTest::newRow("code 7 divides") << 7 << row(WholeRow("0", "1", "8")) << true;
        QTest::newRow("40000 is wrong, not fatal")
            << mul << row(ProductRow("1", "4", "40000")) << false;
        QTest::newRow("30 digits")
            << mul << row(ProductRow(std::string(30, '9'), "4", "0")) << false;
        QTest::newRow("just inside the range")
            << mul << row(ProductRow("1", "4", "-32768.5")) << false;
    }
    void rowVerdicts()
    {
        QFETCH(int, operation);
        QFETCH(QStringList, texts);
        QFETCH(bool, right);
        RowTexts row{texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
                     texts[3].toStdString(), texts[4].toStdString(), texts[5].toStdString(),
                     texts[6].toStdString(), texts[7].toStdString(), texts[8].toStdString()};
        QCOMPARE(engine::IsRowRight(row, std::uint8_t(operation)), right);
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
        const engine::Marking marking = engine::MarkAnswers(
            TestWithRightRows(right), engine::TaskOpsTable{1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
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
        texts[3].Cw = "40000";
        texts[7].Ct = std::string(1000, '9');
        const engine::Marking marking =
            engine::MarkAnswers(texts, engine::TaskOpsTable{1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        QCOMPARE(int(marking.RightCount), 8);
        QVERIFY(!marking.Right[3]);
        QVERIFY(!marking.Right[7]);
        QVERIFY(marking.Right[9]);
    }
};

QTEST_APPLESS_MAIN(AnswerCheckTest)
#include "tst_answer_check.moc"
