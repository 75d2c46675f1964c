// SPDX-License-Identifier: GPL-3.0-or-later
// Judging a kept attempt again: an attempt as the window reports it agrees, and every way a
// record can be changed afterwards is named.
#include "engine/attempt_review.h"

#include "engine/task_generator.h"
#include "tests/support/genuine_attempt.h"

#include <QTest>

#include <functional>
#include <string>

using engine::AttemptEnd;
using engine::AttemptRecord;
using test_support::GenuineAttempt;

Q_DECLARE_METATYPE(engine::AttemptRecord)

namespace {

using Change = std::function<void(AttemptRecord&)>;

AttemptRecord Changed(AttemptRecord record, const Change& change)
{
    change(record);
    return record;
}

} // namespace

class AttemptReviewTest : public QObject {
    Q_OBJECT

private slots:
    void genuineAttemptsAgree_data()
    {
        QTest::addColumn<AttemptRecord>("record");
        QTest::addColumn<int>("rightCount");
        QTest::addColumn<int>("mark");
        QTest::newRow("all right") << GenuineAttempt(0x3FF) << 10 << 5;
        QTest::newRow("one wrong") << GenuineAttempt(0x3FF & ~0x4U) << 9 << 4;
        QTest::newRow("two empty") << GenuineAttempt(0x3FF, 0x21) << 8 << 3;
        QTest::newRow("none right, last draws") << GenuineAttempt(0, 0, 97) << 0 << 2;
        QTest::newRow("timed out")
            << GenuineAttempt(0x0FF, 0x300, 3, AttemptEnd::TimedOut) << 8 << 3;
        QTest::newRow("running") << GenuineAttempt(0, 0, 1, AttemptEnd::Running) << -1 << -1;
        QTest::newRow("interrupted")
            << GenuineAttempt(0, 0, 2, AttemptEnd::Interrupted) << -1 << -1;
    }
    void genuineAttemptsAgree()
    {
        QFETCH(AttemptRecord, record);
        QFETCH(int, rightCount);
        QFETCH(int, mark);
        const engine::AttemptReview review = engine::ReviewAttempt(record, engine::kTestSeconds);
        QVERIFY2(review.Agrees(), engine::CheckText(review).c_str());
        QCOMPARE(engine::CheckText(review), std::string("сходится"));
        QCOMPARE(review.RightCount.value_or(-1), rightCount);
        QCOMPARE(review.Mark.value_or(-1), mark);
        for (int row = 0; row < engine::kAttemptRows; ++row) {
            QCOMPARE(review.Keys.at(row), std::optional(record.Rows.at(row).Key));
            QCOMPARE(review.Right.at(row), record.Rows.at(row).Right);
        }
    }

    // Each change a pupil could make to a stored attempt, and the words that name it.
    void changedAttemptsAreNamed_data()
    {
        QTest::addColumn<AttemptRecord>("record");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("mark");
        const AttemptRecord twoWrong = GenuineAttempt(0x3FF & ~0x11U);
        QTest::newRow("a wrong answer marked right")
            << Changed(twoWrong, [](AttemptRecord& r) { r.Rows[0].Right = true; })
            << "задание 1: неверный ответ записан верным" << 3;
        QTest::newRow("a right answer marked wrong")
            << Changed(twoWrong, [](AttemptRecord& r) { r.Rows[1].Right = false; })
            << "задание 2: верный ответ записан неверным" << 3;
        QTest::newRow("mark raised, grade text kept")
            << Changed(twoWrong, [](AttemptRecord& r) { r.Mark = 5; })
            << "отметка не сходится с ответами" << 3;
        QTest::newRow("whole grade forged") << Changed(twoWrong,
                                                       [](AttemptRecord& r) {
                                                           r.Mark = 5;
                                                           r.RightCount = 10;
                                                           r.GradeText = "5. Отличная работа";
                                                           for (auto& row : r.Rows) {
                                                               row.Right = true;
                                                           }
                                                       })
                                            << "задание 5: неверный ответ записан верным" << 3;
        QTest::newRow("count raised")
            << Changed(twoWrong, [](AttemptRecord& r) { r.RightCount = 9; })
            << "число верных ответов не сходится с ответами" << 3;
        QTest::newRow("key changed to the typed answer") << Changed(twoWrong, [](AttemptRecord& r) {
            r.Rows[0].Key.Whole = static_cast<engine::Int16>(r.Rows[0].Key.Whole + 1);
        }) << "задание 1: ответ в ключе неверен" << 3;
        QTest::newRow("an exercise the test does not make")
            << Changed(GenuineAttempt(),
                       [](AttemptRecord& r) {
                           r.Rows[3].First = {1, 1000, 0};
                           r.Rows[3].Key = {0, 1, 0};
                           r.Rows[3].Typed = {"0", "", ""};
                       })
            << "задание 4: такого задания тест не составляет" << 4;
        QTest::newRow("another row's operation")
            << Changed(GenuineAttempt(),
                       [](AttemptRecord& r) { r.Rows[0].Op = engine::Operation::Divide; })
            << "задание 1: такого задания тест не составляет" << 4;
        QTest::newRow("an exercise swapped with another row's")
            << Changed(GenuineAttempt(), [](AttemptRecord& r) { std::swap(r.Rows[1], r.Rows[2]); })
            << "задание 2: такого задания тест не составляет" << 3;
        QTest::newRow("more seconds than allowed")
            << Changed(GenuineAttempt(), [](AttemptRecord& r) { r.SecondsUsed = 900; })
            << "затрачено 900 с при отведённых 600 с" << 5;
        QTest::newRow("negative seconds")
            << Changed(GenuineAttempt(), [](AttemptRecord& r) { r.SecondsUsed = -5; })
            << "затрачено -5 с при отведённых 600 с" << 5;
        QTest::newRow("a time-out before the time was up")
            << Changed(GenuineAttempt(0x3FF, 0, 0, AttemptEnd::TimedOut),
                       [](AttemptRecord& r) { r.SecondsUsed = 300; })
            << "время вышло раньше отведённого" << 5;
        QTest::newRow("a mark on an interrupted test")
            << Changed(GenuineAttempt(0x3FF, 0, 0, AttemptEnd::Interrupted),
                       [](AttemptRecord& r) { r.Mark = 5; })
            << "у несданного теста есть отметка" << -1;
        QTest::newRow("a verdict on a running test")
            << Changed(GenuineAttempt(0x3FF, 0, 0, AttemptEnd::Running),
                       [](AttemptRecord& r) { r.Rows[9].Right = true; })
            << "задание 10: ответ оценён, а тест не сдан" << -1;
    }
    void changedAttemptsAreNamed()
    {
        QFETCH(AttemptRecord, record);
        QFETCH(QString, problem);
        QFETCH(int, mark);
        const engine::AttemptReview review = engine::ReviewAttempt(record, engine::kTestSeconds);
        QVERIFY(!review.Agrees());
        const QString text = QString::fromStdString(engine::CheckText(review));
        QVERIFY2(text.startsWith(QStringLiteral("не сходится: ")), qPrintable(text));
        QVERIFY2(text.contains(problem), qPrintable(text));
        // The mark shown is the one the answers earn, never the stored one.
        QCOMPARE(review.Mark.value_or(-1), mark);
    }

    // A time allowed other than ten minutes moves the limit of the seconds used.
    void secondsAreCheckedAgainstTheTimeAllowed()
    {
        AttemptRecord record = GenuineAttempt();
        record.SecondsUsed = 850;
        QVERIFY(engine::ReviewAttempt(record, 900).Agrees());
        QVERIFY(!engine::ReviewAttempt(record, 600).Agrees());
    }

    // Every exercise the generator can make is recognised, on its own row and no other.
    void everyGeneratedExerciseIsRecognised()
    {
        for (int row = 0; row < engine::kRowCount; ++row) {
            const engine::DrawRange range = engine::RowDrawRange(row);
            const bool twoDraws = engine::RowDrawCount(row) == 2;
            for (int a = range.Lowest(); a <= range.Highest(); ++a) {
                for (int b = twoDraws ? range.Lowest() : 0; b <= (twoDraws ? range.Highest() : 0);
                     ++b) {
                    const engine::Exercise e =
                        engine::BuildExercise(row, static_cast<float>(a), static_cast<float>(b));
                    const engine::Fraction first = test_support::ShownForm(e.First);
                    const engine::Fraction second = test_support::ShownForm(e.Second);
                    QVERIFY(engine::IsGeneratedExercise(row, e.Op, first, second));
                    const int otherRow = (row + 1) % engine::kRowCount;
                    QVERIFY(!engine::IsGeneratedExercise(otherRow, e.Op, first, second));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(AttemptReviewTest)
#include "tst_attempt_review.moc"
