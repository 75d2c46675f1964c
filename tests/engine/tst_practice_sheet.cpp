// SPDX-License-Identifier: GPL-3.0-or-later
// The practice sheet for an attempt's mistakes: a lesson per mistake with a worked example of
// the row it was made on, eight new exercises that would show the mistakes, taking turns, and
// the worked steps and wrong results written as a pupil writes them; and the sheet for one
// pupil's attempts together, the persisting habits first and with more exercises.
#include "engine/practice_sheet.h"
#include "engine/task_generator.h"

#include <QTest>

#include <random>

using engine::Mistake;

Q_DECLARE_METATYPE(engine::ShownRow)
Q_DECLARE_METATYPE(engine::Mistake)

namespace {

class SeededSource final : public core::RandomSource {
public:
    void Reseed(float seed) override { generator_.seed(static_cast<unsigned>(seed)); }
    float Next() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(generator_); }

private:
    std::mt19937 generator_{6};
};

engine::Fraction Shown(int whole, int numerator, int denominator)
{
    return {static_cast<core::Int16>(numerator), static_cast<core::Int16>(denominator),
            static_cast<core::Int16>(whole)};
}

// Every row at its lowest draw and typed right: row 0 is 1/2 · 2/3, row 1 is 1/2 : 2/3.
engine::AttemptRecord AllRight()
{
    engine::AttemptRecord a;
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        const engine::ShownRow s = engine::ShownExercise(
            row, static_cast<float>(engine::RowDrawRange(row).Lowest()), row == 9 ? 3.0f : 0.0f);
        auto& r = a.Rows.at(static_cast<std::size_t>(row));
        r.Op = s.Op;
        r.First = s.First;
        r.Second = s.Second;
        r.Key = s.Key;
        r.Typed = {std::to_string(s.Key.Whole), std::to_string(s.Key.Numerator),
                   std::to_string(s.Key.Denominator)};
        r.Right = true;
    }
    return a;
}

// An attempt with the mistakes named: "reduced" is 2/6 in row 0 (1/2 · 2/3, right but not
// reduced), "turned" 1/3 in row 1 (1/2 : 2/3 with the divisor not turned), "other" 5/7 in row 1
// (no known mistake); "unjudged" leaves every row unmarked, as an interrupted attempt.
engine::AttemptRecord WithMistakes(const QStringList& mistakes)
{
    engine::AttemptRecord a = AllRight();
    const auto wrong = [&](int row, engine::TypedAnswer typed) {
        a.Rows.at(static_cast<std::size_t>(row)).Typed = std::move(typed);
        a.Rows.at(static_cast<std::size_t>(row)).Right = false;
    };
    for (const QString& m : mistakes) {
        if (m == "reduced") {
            wrong(0, {"0", "2", "6"});
        } else if (m == "turned") {
            wrong(1, {"0", "1", "3"});
        } else if (m == "other") {
            wrong(1, {"0", "5", "7"});
        } else if (m == "unjudged") {
            for (engine::RowRecord& row : a.Rows) {
                row.Right.reset();
            }
        }
    }
    return a;
}

bool Same(const engine::PracticeExercise& a, const engine::PracticeExercise& b)
{
    return a.Row == b.Row && a.Exercise.First == b.Exercise.First &&
           a.Exercise.Second == b.Exercise.Second;
}

} // namespace

class PracticeSheetTest : public QObject {
    Q_OBJECT

private slots:
    void lessonsAndExercisesShowTheMistakes()
    {
        engine::AttemptRecord a = AllRight();
        a.Rows[0].Typed = {"0", "2", "6"}; // right, not reduced
        a.Rows[0].Right = false;
        a.Rows[1].Typed = {"0", "1", "3"}; // 1/2 · 2/3: the divisor not turned
        a.Rows[1].Right = false;
        QVERIFY(engine::HasMistakesToPractise(a));
        SeededSource random;
        const engine::PracticeSheet sheet = engine::MakePracticeSheet(a, random);

        QCOMPARE(int(sheet.Lessons.size()), 2);
        QCOMPARE(sheet.Lessons[0].Which, Mistake::NotReduced);
        QCOMPARE(sheet.Lessons[0].Example.Row, 0);
        QCOMPARE(sheet.Lessons[1].Which, Mistake::DivisorNotTurned);
        QCOMPARE(sheet.Lessons[1].Example.Row, 1);
        for (const auto& lesson : sheet.Lessons) {
            QVERIFY(engine::ShowsMistake(lesson.Example.Exercise, lesson.Which));
        }

        QCOMPARE(int(sheet.Exercises.size()), engine::kPracticeExercises);
        for (int i = 0; i < engine::kPracticeExercises; ++i) {
            const engine::PracticeExercise& e = sheet.Exercises.at(static_cast<std::size_t>(i));
            // The two mistakes take turns: the unreduced answer's row first.
            QCOMPARE(e.Row, i % 2 == 0 ? 0 : 1);
            QVERIFY(engine::ShowsMistake(e.Exercise, i % 2 == 0 ? Mistake::NotReduced
                                                                : Mistake::DivisorNotTurned));
            QCOMPARE(engine::RatioOf(e.Exercise.Key),
                     engine::RightValue(e.Exercise.Op, e.Exercise.First, e.Exercise.Second));
            // New: neither the attempt's own exercise, nor an example, nor an earlier one.
            QVERIFY(!(e.Exercise.First == a.Rows.at(static_cast<std::size_t>(e.Row)).First &&
                      e.Exercise.Second == a.Rows.at(static_cast<std::size_t>(e.Row)).Second));
            for (const auto& lesson : sheet.Lessons) {
                QVERIFY(!Same(e, lesson.Example));
            }
            for (int j = 0; j < i; ++j) {
                QVERIFY(!Same(e, sheet.Exercises.at(static_cast<std::size_t>(j))));
            }
        }
    }

    void nothingToPractise_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<engine::TypedAnswer>("typed");
        QTest::newRow("all right") << -1 << engine::TypedAnswer{};
        QTest::newRow("another mistake") << 1 << engine::TypedAnswer{"0", "5", "7"};
        QTest::newRow("no answer") << 1 << engine::TypedAnswer{"0", "0", "1"};
        QTest::newRow("not a number") << 1 << engine::TypedAnswer{"", "x", ""};
    }
    void nothingToPractise()
    {
        QFETCH(int, row);
        QFETCH(engine::TypedAnswer, typed);
        engine::AttemptRecord a = AllRight();
        if (row >= 0) {
            a.Rows.at(static_cast<std::size_t>(row)).Typed = typed;
            a.Rows.at(static_cast<std::size_t>(row)).Right = false;
        }
        SeededSource random;
        const engine::PracticeSheet sheet = engine::MakePracticeSheet(a, random);
        QVERIFY(sheet.Lessons.empty());
        QVERIFY(sheet.Exercises.empty());
        QVERIFY(!engine::HasMistakesToPractise(a));
    }

    // One pupil's attempts, oldest first: the habit still being made (in the latest attempt and
    // an earlier one) first with two exercises to another's one, then a mistake of the latest
    // attempt only, then one no longer made, however often it was made before.
    void historySheetPutsPersistingHabitsFirst_data()
    {
        QTest::addColumn<QList<QStringList>>("attempts");
        QTest::addColumn<QList<Mistake>>("lessons");
        QTest::addColumn<QList<int>>("exercises"); // per lesson, on its row

        const auto turned = Mistake::DivisorNotTurned;
        const auto reduced = Mistake::NotReduced;
        QTest::newRow("persists, stopped") << QList<QStringList>{{"reduced", "turned"}, {"turned"}}
                                           << QList<Mistake>{turned, reduced} << QList<int>{6, 2};
        QTest::newRow("stopped after two attempts, only latest")
            << QList<QStringList>{{"reduced"}, {"reduced"}, {"turned"}}
            << QList<Mistake>{turned, reduced} << QList<int>{4, 4};
        QTest::newRow("only latest, persists")
            << QList<QStringList>{{"turned"}, {"reduced", "turned"}}
            << QList<Mistake>{turned, reduced} << QList<int>{6, 2};
        // The interrupted attempt shows nothing, so it does not stop the habit.
        QTest::newRow("an unjudged attempt between")
            << QList<QStringList>{{"reduced"}, {"turned", "unjudged"}, {"reduced", "turned"}}
            << QList<Mistake>{reduced, turned} << QList<int>{6, 2};
        // Equal habits in the order the mistakes are declared.
        QTest::newRow("one attempt") << QList<QStringList>{{"reduced", "turned"}}
                                     << QList<Mistake>{turned, reduced} << QList<int>{4, 4};
        QTest::newRow("nothing to practise")
            << QList<QStringList>{{"other"}, {}, {"turned", "unjudged"}} << QList<Mistake>{}
            << QList<int>{};
        QTest::newRow("no attempts") << QList<QStringList>{} << QList<Mistake>{} << QList<int>{};
    }
    void historySheetPutsPersistingHabitsFirst()
    {
        QFETCH(const QList<QStringList>, attempts);
        QFETCH(const QList<Mistake>, lessons);
        QFETCH(const QList<int>, exercises);
        std::vector<engine::AttemptRecord> records;
        for (const QStringList& mistakes : attempts) {
            records.push_back(WithMistakes(mistakes));
        }
        QCOMPARE(engine::HasMistakesToPractise(records), !lessons.isEmpty());
        SeededSource random;
        const engine::PracticeSheet sheet = engine::MakeHistoryPracticeSheet(records, random);

        QList<Mistake> taught;
        for (const engine::MistakeLesson& lesson : sheet.Lessons) {
            taught << lesson.Which;
            QVERIFY(engine::ShowsMistake(lesson.Example.Exercise, lesson.Which));
        }
        QCOMPARE(taught, lessons);
        QList<int> perLesson(lessons.size(), 0);
        for (std::size_t i = 0; i < sheet.Exercises.size(); ++i) {
            const engine::PracticeExercise& e = sheet.Exercises.at(i);
            // Here each mistake was made on a row of its own.
            const Mistake m = e.Row == 0 ? Mistake::NotReduced : Mistake::DivisorNotTurned;
            QVERIFY(lessons.contains(m));
            ++perLesson[lessons.indexOf(m)];
            QVERIFY(engine::ShowsMistake(e.Exercise, m));
            for (const engine::AttemptRecord& a : records) {
                const engine::RowRecord& own = a.Rows.at(static_cast<std::size_t>(e.Row));
                QVERIFY(!(e.Exercise.First == own.First && e.Exercise.Second == own.Second));
            }
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY(!Same(e, sheet.Exercises.at(j)));
            }
        }
        QCOMPARE(perLesson, exercises);
    }

    void workedTexts_data()
    {
        QTest::addColumn<engine::ShownRow>("exercise");
        QTest::addColumn<Mistake>("mistake");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("wrong");
        const auto by = engine::Operation::Divide;
        const auto times = engine::Operation::Multiply;
        const engine::ShownRow mixed{by, Shown(1, 1, 3), Shown(1, 1, 4), Shown(1, 1, 15)};
        QTest::newRow("÷ not turned")
            << mixed << Mistake::DivisorNotTurned << "1 1/3 : 1 1/4 = 4/3 · 4/5 = 16/15 = 1 1/15"
            << "1 2/3";
        QTest::newRow("whole part")
            << mixed << Mistake::WholeNotTakenOut << "1 1/3 : 1 1/4 = 4/3 · 4/5 = 16/15 = 1 1/15"
            << "16/15";
        const engine::ShownRow proper{times, Shown(0, 1, 3), Shown(0, 3, 4), Shown(0, 1, 4)};
        QTest::newRow("not reduced") << proper << Mistake::NotReduced << "1/3 · 3/4 = 3/12 = 1/4"
                                     << "3/12";
        QTest::newRow("× turned") << proper << Mistake::TurnedInMultiplication
                                  << "1/3 · 3/4 = 3/12 = 1/4"
                                  << "4/9";
        const engine::ShownRow whole{by, Shown(4, 0, 1), Shown(0, 1, 2), Shown(8, 0, 1)};
        QTest::newRow("whole number") << whole << Mistake::BothTurned << "4 : 1/2 = 4 · 2 = 8"
                                      << "1/2";
    }
    void workedTexts()
    {
        QFETCH(engine::ShownRow, exercise);
        QFETCH(Mistake, mistake);
        QFETCH(QString, steps);
        QFETCH(QString, wrong);
        QCOMPARE(QString::fromStdString(engine::WorkedSteps(exercise)), steps);
        QCOMPARE(QString::fromStdString(engine::WrongResultText(exercise, mistake)), wrong);
        QVERIFY(engine::ShowsMistake(exercise, mistake));
    }
};

QTEST_APPLESS_MAIN(PracticeSheetTest)
#include "tst_practice_sheet.moc"
