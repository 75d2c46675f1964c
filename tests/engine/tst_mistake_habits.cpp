// SPDX-License-Identifier: GPL-3.0-or-later
// One pupil's mistakes across attempts: in which attempts each was made and how often, whether
// it persists, has stopped or showed only in the latest attempt, the order they are listed in,
// and attempts with no judged rows left out.
#include "engine/attempt_review.h"
#include "engine/mistake_habits.h"
#include "tests/support/genuine_attempt.h"

#include <QTest>

namespace {

// The smallest draws: row 1 is 1/2 × 2/3 (= 1/3), rows 8 and 9 are mixed-number products, row
// 10 is 1/100 : 1/50 (= 1/2). Each letter of a plan puts one wrong answer in the attempt:
//   D  1/5000 in row 10 (1/100 · 1/50): the divisor not turned over;
//   R  2/6 in row 1: right in value, not reduced;
//   O, P  the key with its whole part one more in row 8, row 9: no known mistake gives it.
// A plan starting with "-" is an attempt interrupted before it was handed in.
engine::AttemptRecord Planned(const QString& plan)
{
    const bool interrupted = plan.startsWith('-');
    unsigned rightRows = 0x3FF;
    if (plan.contains('O')) {
        rightRows &= ~(1U << 7);
    }
    if (plan.contains('P')) {
        rightRows &= ~(1U << 8);
    }
    engine::AttemptRecord record = test_support::GenuineAttempt(
        rightRows, 0, 0,
        interrupted ? engine::AttemptEnd::Interrupted : engine::AttemptEnd::HandedIn);
    if (plan.contains('D')) {
        record.Rows.at(9).Typed = {"", "1", "5000"};
    }
    if (plan.contains('R')) {
        record.Rows.at(0).Typed = {"0", "2", "6"};
    }
    // The stored verdicts were worked out before the answers above were typed in: only the
    // record as judged again tells the truth.
    return engine::AsJudged(record, engine::ReviewAttempt(record, engine::kTestSeconds));
}

// "не перевёрнут делитель: 1×1, 3×1; повторяется": the attempts' labels with the rows in each.
QString Described(const engine::MistakeHabit& habit, const std::vector<std::string>& labels)
{
    QStringList attempts;
    for (std::size_t i = 0; i < habit.Attempts.size(); ++i) {
        attempts << QStringLiteral("%1×%2")
                        .arg(QString::fromStdString(
                            labels.at(static_cast<std::size_t>(habit.Attempts.at(i)))))
                        .arg(habit.RowsInAttempt.at(i));
    }
    return QStringLiteral("%1: %2; %3")
        .arg(QString::fromStdString(engine::MistakeWords(habit.Which)), attempts.join(", "),
             QString::fromStdString(engine::HabitStateWords(habit.State)));
}

} // namespace

class MistakeHabitsTest : public QObject {
    Q_OBJECT

private slots:
    void habits_data()
    {
        QTest::addColumn<QStringList>("plans");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("habits");

        QTest::newRow("no attempts") << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("all right") << QStringList{"", ""} << QStringList{"1", "2"} << QStringList{};
        QTest::newRow("made every time")
            << QStringList{"D", "D", "D"} << QStringList{"1", "2", "3"}
            << QStringList{"не перевёрнут делитель: 1×1, 2×1, 3×1; повторяется"};
        QTest::newRow("made again after a break")
            << QStringList{"D", "", "D"} << QStringList{"1", "2", "3"}
            << QStringList{"не перевёрнут делитель: 1×1, 3×1; повторяется"};
        QTest::newRow("stopped") << QStringList{"D", "D", ""} << QStringList{"1", "2", "3"}
                                 << QStringList{
                                        "не перевёрнут делитель: 1×1, 2×1; больше не встречается"};
        QTest::newRow("new in the latest")
            << QStringList{"", "D"} << QStringList{"1", "2"}
            << QStringList{"не перевёрнут делитель: 2×1; только в последней попытке"};
        QTest::newRow("one attempt only")
            << QStringList{"D"} << QStringList{"1"}
            << QStringList{"не перевёрнут делитель: 1×1; только в последней попытке"};
        QTest::newRow("most attempts first, then most rows")
            << QStringList{"OP", "D", "DR", "D"} << QStringList{"1", "2", "3", "4"}
            << QStringList{"не перевёрнут делитель: 2×1, 3×1, 4×1; повторяется",
                           "другая ошибка: 1×2; больше не встречается",
                           "ответ не сокращён: 3×1; больше не встречается"};
        QTest::newRow("rows counted in each attempt")
            << QStringList{"OP", "O", "DOP"} << QStringList{"1", "2", "3"}
            << QStringList{"другая ошибка: 1×2, 2×1, 3×2; повторяется",
                           "не перевёрнут делитель: 3×1; только в последней попытке"};
        QTest::newRow("equal counts: the more recent first")
            << QStringList{"D", "R"} << QStringList{"1", "2"}
            << QStringList{"ответ не сокращён: 2×1; только в последней попытке",
                           "не перевёрнут делитель: 1×1; больше не встречается"};
        // An interrupted attempt was never judged: it neither shows the mistake nor that it
        // stopped.
        QTest::newRow("interrupted in between")
            << QStringList{"D", "-", "D"} << QStringList{"1", "3"}
            << QStringList{"не перевёрнут делитель: 1×1, 3×1; повторяется"};
        QTest::newRow("interrupted last")
            << QStringList{"D", "D", "-"} << QStringList{"1", "2"}
            << QStringList{"не перевёрнут делитель: 1×1, 2×1; повторяется"};
        QTest::newRow("interrupted with the mistake typed")
            << QStringList{"R", "-D"} << QStringList{"1"}
            << QStringList{"ответ не сокращён: 1×1; только в последней попытке"};
    }
    void habits()
    {
        QFETCH(const QStringList, plans);
        QFETCH(const QStringList, labels);
        QFETCH(const QStringList, habits);

        engine::MistakeHabits counted;
        for (int i = 0; i < plans.size(); ++i) {
            counted.Add(std::to_string(i + 1), Planned(plans.at(i)));
        }
        QStringList countedLabels;
        for (const std::string& label : counted.Labels()) {
            countedLabels << QString::fromStdString(label);
        }
        QCOMPARE(countedLabels, labels);
        QStringList described;
        for (const engine::MistakeHabit& habit : counted.Habits()) {
            described << Described(habit, counted.Labels());
        }
        QCOMPARE(described, habits);
    }

    // An ambiguous row counts towards each mistake it may be, and a wrong value's form remark
    // counts as well: 2 in row 10 (1/100 : 1/50 = 1/2) is the answer upside down.
    void everyNamedMistakeCounts()
    {
        engine::AttemptRecord record = test_support::GenuineAttempt();
        record.Rows.at(9).Typed = {"0", "4", "2"};
        record = engine::AsJudged(record, engine::ReviewAttempt(record, engine::kTestSeconds));
        const engine::Diagnosis d = engine::DiagnoseRow(record.Rows.at(9));
        QVERIFY(!d.All().empty());

        engine::MistakeHabits counted;
        counted.Add("10.12.2026", record);
        std::vector<engine::Mistake> found;
        for (const engine::MistakeHabit& habit : counted.Habits()) {
            found.push_back(habit.Which);
            QCOMPARE(habit.Attempts, std::vector<int>{0});
        }
        std::vector<engine::Mistake> expected = d.All();
        std::sort(expected.begin(), expected.end());
        std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
        QVERIFY(std::find(found.begin(), found.end(), engine::Mistake::AnswerUpsideDown) !=
                found.end());
        QVERIFY(std::find(found.begin(), found.end(), engine::Mistake::WholeNotTakenOut) !=
                found.end());
    }
};

QTEST_MAIN(MistakeHabitsTest)
#include "tst_mistake_habits.moc"
