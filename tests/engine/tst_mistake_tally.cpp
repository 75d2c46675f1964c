// SPDX-License-Identifier: GPL-3.0-or-later
// Counting mistakes over a small class's attempts: pupils told apart, rows counted where they
// were made, unjudged rows left out, and the stored verdict trusted for right rows.
#include "engine/mistake_tally.h"
#include "engine/shown_exercise.h"
#include "engine/task_generator.h"

#include <QTest>

using engine::Mistake;

namespace {

// The draws of one test: row 9 draws 1 and 3 (1/100 : 3/100), every other row its lowest.
engine::RowRecord RightRow(int row)
{
    const engine::DrawRange range = engine::RowDrawRange(row);
    const engine::ShownRow s =
        engine::ShownExercise(row, static_cast<float>(range.Lowest()), row == 9 ? 3.0f : 0.0f);
    engine::RowRecord r;
    r.Op = s.Op;
    r.First = s.First;
    r.Second = s.Second;
    r.Key = s.Key;
    r.Typed = {std::to_string(s.Key.Whole), std::to_string(s.Key.Numerator),
               std::to_string(s.Key.Denominator)};
    r.Right = true;
    return r;
}

engine::AttemptRecord AllRight()
{
    engine::AttemptRecord a;
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        a.Rows.at(static_cast<std::size_t>(row)) = RightRow(row);
    }
    a.End = engine::AttemptEnd::HandedIn;
    return a;
}

// Row 1 is 1/2 : 2/3 (= 3/4); typing 1/3 forgets to turn the divisor.
void DivisorNotTurnedOnRow1(engine::AttemptRecord& a)
{
    a.Rows[1].Typed = {"0", "1", "3"};
    a.Rows[1].Right = false;
}

// Row 0 is 1/2 · 2/3 (= 1/3); typing 2/6 is right in value but not reduced.
void NotReducedOnRow0(engine::AttemptRecord& a)
{
    a.Rows[0].Typed = {"0", "2", "6"};
    a.Rows[0].Right = false;
}

const engine::MistakeCount* Find(const std::vector<engine::MistakeCount>& list, Mistake m)
{
    for (const auto& c : list) {
        if (c.Which == m) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace

class MistakeTallyTest : public QObject {
    Q_OBJECT

private slots:
    void pupilsAndRowsAreCountedApart()
    {
        engine::MistakeTally tally;
        // Аня forgets to turn the divisor twice; Борис once, and leaves row 0 unreduced in the
        // same attempt; Вера's first row is unreduced too.
        engine::AttemptRecord anya = AllRight();
        DivisorNotTurnedOnRow1(anya);
        tally.Add("Аня", anya);
        tally.Add("Аня", anya);
        engine::AttemptRecord boris = AllRight();
        DivisorNotTurnedOnRow1(boris);
        NotReducedOnRow0(boris);
        tally.Add("Борис", boris);
        engine::AttemptRecord vera = AllRight();
        NotReducedOnRow0(vera);
        tally.Add("Вера", vera);

        const std::vector<engine::MistakeCount> mistakes = tally.Mistakes();
        QCOMPARE(int(mistakes.size()), 2);
        const auto* notTurned = Find(mistakes, Mistake::DivisorNotTurned);
        QVERIFY(notTurned != nullptr);
        QCOMPARE(notTurned->Pupils, 2LL);
        QCOMPARE(notTurned->Rows, 3LL);
        QCOMPARE(notTurned->PerRow[1], 3LL);
        const auto* notReduced = Find(mistakes, Mistake::NotReduced);
        QVERIFY(notReduced != nullptr);
        QCOMPARE(notReduced->Pupils, 2LL);
        QCOMPARE(notReduced->PerRow[0], 2LL);
        // Equal in pupils, so more rows comes first.
        QCOMPARE(mistakes.front().Which, Mistake::DivisorNotTurned);
        QCOMPARE(tally.Attempts(), 4LL);

        const auto rows = tally.Rows();
        QCOMPARE(rows[1].Judged, 4LL);
        QCOMPARE(rows[1].Right, 1LL);
        QCOMPARE(rows[1].RightPercent(), 25.0);
        QCOMPARE(rows[1].MostCommon, std::optional<Mistake>(Mistake::DivisorNotTurned));
        QCOMPARE(rows[1].MostCommonRows, 3LL);
        QCOMPARE(QString::fromStdString(rows[1].Kind), QStringLiteral("дробь : дробь"));
        QCOMPARE(QString::fromStdString(rows[2].Kind), QStringLiteral("целое число : дробь"));
        QVERIFY(!rows[3].MostCommon.has_value());
        QCOMPARE(rows[3].RightPercent(), 100.0);
    }

    void morePupilsOutrankMoreRows()
    {
        engine::MistakeTally tally;
        engine::AttemptRecord often = AllRight();
        DivisorNotTurnedOnRow1(often);
        for (int i = 0; i < 5; ++i) {
            tally.Add("Аня", often);
        }
        engine::AttemptRecord once = AllRight();
        NotReducedOnRow0(once);
        tally.Add("Борис", once);
        tally.Add("Вера", once);
        const auto mistakes = tally.Mistakes();
        QCOMPARE(mistakes.front().Which, Mistake::NotReduced);
        QCOMPARE(mistakes.back().Which, Mistake::DivisorNotTurned);
    }

    void onlyJudgedRowsCount()
    {
        engine::MistakeTally tally;
        engine::AttemptRecord interrupted = AllRight();
        for (auto& row : interrupted.Rows) {
            row.Typed = {"", "7", ""};
            row.Right.reset();
        }
        interrupted.End = engine::AttemptEnd::Interrupted;
        tally.Add("Аня", interrupted);
        QVERIFY(tally.Mistakes().empty());
        QCOMPARE(tally.Rows()[0].Judged, 0LL);
        QVERIFY(tally.Rows()[0].Kind.empty());
    }

    // The verdict the pupil was given stands: a right row is not diagnosed again, even where
    // its texts read differently by the diagnosis' stricter reading.
    void rightRowsAreTakenAsMarked()
    {
        engine::MistakeTally tally;
        engine::AttemptRecord a = AllRight();
        a.Rows[0].Typed.Whole = "ноль";
        tally.Add("Аня", a);
        QVERIFY(tally.Mistakes().empty());
        QCOMPARE(tally.Rows()[0].Right, 1LL);
    }
};

QTEST_APPLESS_MAIN(MistakeTallyTest)
#include "tst_mistake_tally.moc"
