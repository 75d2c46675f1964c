// SPDX-License-Identifier: GPL-3.0-or-later
// One attempt read back from a real journal and shown as the pupil saw it: each row's
// fractions, the pupil's answer and the key, the verdicts in the program's colours, and what
// a screen reader hears.
#include "teacher/attempt_detail_view.h"
#include "teacher/fraction_view.h"
#include "tests/teacher/journal_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QStringList Parts(const teacher::FractionView* view)
{
    const teacher::StackedFraction& f = view->Shown();
    return {f.Whole, f.Numerator, f.Denominator};
}

const QColor kGreen(0, 100, 0);
const QColor kRed(100, 0, 0);

} // namespace

class AttemptDetailTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryRowAsThePupilSawIt()
    {
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        journal::StoredAttempt a = MakeAttempt("Иванова Мария", TodayAt(9, 15), 7, 431);
        a.Record.Rows.at(3).First = {2, 3, 4};  // 4 2/3
        a.Record.Rows.at(3).Second = {0, 1, 7}; // 7
        a.Record.Rows.at(3).Key = {0, 1, 28};   // 28
        a.Record.Rows.at(3).Typed = {"28", "", ""};
        a.Record.Rows.at(8).Typed = {"", "", ""};
        j.Add(a);
        const auto stored = journal::LoadAttempt(*j.db, a.Id);
        QVERIFY(stored);

        teacher::AttemptDetailView view;
        view.resize(900, 700);
        view.show();
        view.ShowAttempt(*stored);
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QCOMPARE(view.Shown()->Id, a.Id);
        const QString facts = view.findChild<QLabel*>("facts")->text();
        QVERIFY2(facts.contains("Время: 7:11 из 10:00"), qPrintable(facts));
        QVERIFY2(facts.contains("Как завершена: сдан"), qPrintable(facts));
        QVERIFY2(facts.contains("Верных ответов: 7 из 10"), qPrintable(facts));
        QVERIFY2(facts.contains("Отметка: 2"), qPrintable(facts));
        QVERIFY(view.findChild<QLabel*>("heading")->text().startsWith("Иванова Мария, "));

        QCOMPARE(Parts(view.First(0)), (QStringList{"1", "1", "4"}));
        QCOMPARE(Parts(view.Second(0)), (QStringList{"", "1", "2"}));
        QCOMPARE(Parts(view.Key(0)), (QStringList{"", "5", "8"}));
        QCOMPARE(Parts(view.First(3)), (QStringList{"4", "2", "3"}));
        QCOMPARE(Parts(view.Second(3)), (QStringList{"7", "", ""}));
        QCOMPARE(Parts(view.Answer(3)), (QStringList{"28", "", ""}));
        QCOMPARE(Parts(view.Answer(7)), (QStringList{"1", "3", "4"}));
        QCOMPARE(view.findChild<QLabel*>("sign0")->text(), "·");
        QCOMPARE(view.findChild<QLabel*>("sign1")->text(), ":");

        for (int row = 0; row < engine::kAttemptRows; ++row) {
            const bool right = row < 7;
            QLabel* verdict = view.Verdict(row);
            QCOMPARE(verdict->text(), right ? "верно" : "неверно");
            QCOMPARE(verdict->palette().color(QPalette::WindowText), right ? kGreen : kRed);
            QCOMPARE(view.Answer(row)->Colour(), right ? kGreen : kRed);
            QVERIFY(view.Key(row)->Colour() != kGreen && view.Key(row)->Colour() != kRed);
            QVERIFY(view.Answer(row)->isVisible());
            QVERIFY(view.Answer(row)->width() > 0);
        }
        // A stacked fraction stands two lines high, a whole number one.
        QVERIFY(view.Answer(0)->height() > view.Answer(3)->height() * 3 / 2);

        QCOMPARE(view.Answer(8)->accessibleName(), "Задание 9, ответ ученика: нет ответа");
        QCOMPARE(view.Verdict(1)->accessibleName(),
                 "Задание 2: 1 1/4 разделить на 1/2; ответ ученика 5/8; верный ответ 5/8; "
                 "верно");
    }

    // Beside each wrong row, what its answer reveals; nothing beside a right one.
    void wrongRowsSayWhatTheyReveal()
    {
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        journal::StoredAttempt a = MakeAttempt("Иванова Мария", TodayAt(9, 15), 7, 431);
        // Row 8 is 1 1/4 · 1/2 = 5/8, row 9 is 1 1/4 : 1/2 = 2 1/2.
        a.Record.Rows.at(8).Typed = {"0", "10", "16"};
        a.Record.Rows.at(9).Typed = {"", "5", "8"};
        j.Add(a);
        teacher::AttemptDetailView view;
        view.ShowAttempt(*journal::LoadAttempt(*j.db, a.Id));

        QCOMPARE(view.MistakeLabel(7)->text(), "другая ошибка");
        QCOMPARE(view.MistakeLabel(8)->text(), "значение верное; ответ не сокращён");
        QCOMPARE(view.MistakeLabel(9)->text(), "не перевёрнут делитель");
        for (int row = 0; row < 7; ++row) {
            QVERIFY(view.MistakeLabel(row)->text().isEmpty());
        }
        QVERIFY2(view.Verdict(9)->accessibleName().endsWith("неверно; не перевёрнут делитель"),
                 qPrintable(view.Verdict(9)->accessibleName()));
        QCOMPARE(view.MistakeLabel(9)->accessibleName(), "Задание 10: не перевёрнут делитель");

        // The divisor not turned and the unreduced answer can be practised.
        QVERIFY(view.PracticeButton()->isEnabled());

        // The next attempt shown leaves no word of the last one behind.
        const journal::StoredAttempt allRight =
            j.Add(MakeAttempt("Борисова Вера", TodayAt(10), 10));
        view.ShowAttempt(*journal::LoadAttempt(*j.db, allRight.Id));
        QVERIFY(view.MistakeLabel(9)->text().isEmpty());
        QVERIFY(!view.PracticeButton()->isEnabled());
        const QString never = QDir::temp().filePath("fraction-test-never-written.pdf");
        QVERIFY(!view.SavePracticeSheet(never));
        QVERIFY(!QFile::exists(never));

        // Only mistakes with no known cause: nothing to practise either.
        const journal::StoredAttempt unknown = j.Add(MakeAttempt("Ким Мария", TodayAt(11), 7));
        view.ShowAttempt(*journal::LoadAttempt(*j.db, unknown.Id));
        QVERIFY(!view.PracticeButton()->isEnabled());
    }

    void unjudgedRowsAreNeitherGreenNorRed()
    {
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        const journal::StoredAttempt a =
            j.Add(MakeAttempt("Борисова Вера", TodayAt(10), std::nullopt));
        teacher::AttemptDetailView view;
        view.ShowAttempt(*journal::LoadAttempt(*j.db, a.Id));
        QVERIFY(!view.findChild<QLabel*>("facts")->text().contains("Отметка"));
        QVERIFY(view.findChild<QLabel*>("facts")->text().contains("прерван"));
        for (int row = 0; row < engine::kAttemptRows; ++row) {
            QCOMPARE(view.Verdict(row)->text(), "не проверено");
            QVERIFY(view.MistakeLabel(row)->text().isEmpty());
            QVERIFY(view.Answer(row)->Colour() != kGreen && view.Answer(row)->Colour() != kRed);
        }
        view.ShowNothing("Выберите попытку в списке.");
        QVERIFY(!view.Shown());
    }
};

QTEST_MAIN(AttemptDetailTest)
#include "tst_attempt_detail.moc"
