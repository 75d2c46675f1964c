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
#include <QSqlQuery>
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
        a.Record.Rows.at(8).Typed = {"28", "", ""};
        a.Record.Rows.at(9).Typed = {"", "", ""};
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
        QVERIFY2(facts.contains("Итог: сдан"), qPrintable(facts));
        QVERIFY2(facts.contains("Верных ответов: 7 из 10"), qPrintable(facts));
        // The mark once, then the words the pupil was shown without it.
        QVERIFY2(facts.split('\n').contains("Отметка: 2 («Вам нужно повторить тему»)"),
                 qPrintable(facts));
        QVERIFY2(facts.contains("Проверка: сходится"), qPrintable(facts));
        QVERIFY(view.findChild<QLabel*>("heading")->text().startsWith("Иванова Мария, "));

        // Row 1 of the smallest draws: 1/2 · 2/3 = 1/3; row 3: 4 : 1/2 = 8.
        QCOMPARE(Parts(view.First(0)), (QStringList{"", "1", "2"}));
        QCOMPARE(Parts(view.Second(0)), (QStringList{"", "2", "3"}));
        QCOMPARE(Parts(view.Key(0)), (QStringList{"", "1", "3"}));
        QCOMPARE(Parts(view.First(2)), (QStringList{"4", "", ""}));
        QCOMPARE(Parts(view.Key(2)), (QStringList{"8", "", ""}));
        QCOMPARE(Parts(view.Answer(2)), (QStringList{"8", "0", "1"}));
        QCOMPARE(Parts(view.Answer(8)), (QStringList{"28", "", ""}));
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
        QVERIFY(view.Answer(0)->height() > view.Answer(8)->height() * 3 / 2);

        // Empty boxes are shown empty, not as the defaults they were judged with.
        QCOMPARE(Parts(view.Answer(9)), (QStringList{"", "", ""}));
        QCOMPARE(view.Answer(9)->accessibleName(), "Задание 10, ответ ученика: нет ответа");
        QCOMPARE(view.Verdict(1)->accessibleName(),
                 "Задание 2: 1/2 разделить на 2/3; ответ ученика 0 3/4; верный ответ 3/4; "
                 "верно");
    }

    // A record changed after the test: the verdicts and the mark shown are the ones the answers
    // earn, and the facts say what does not hold together.
    void forgedVerdictsAreNotShownAsTrue_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("forgeMark");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a wrong row marked right")
            << 8 << false << "задание 9: неверный ответ записан верным";
        QTest::newRow("the whole grade raised") << 9 << true << "отметка не сходится с ответами";
    }
    void forgedVerdictsAreNotShownAsTrue()
    {
        QFETCH(int, row);
        QFETCH(bool, forgeMark);
        QFETCH(QString, problem);
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        journal::StoredAttempt a = MakeAttempt("Хитров Пётр", TodayAt(9, 15), 7, 431);
        a.Record.Rows.at(row).Right = true;
        if (forgeMark) {
            a.Record.RightCount = 10;
            a.Record.Mark = 5;
            a.Record.GradeText = "5. Отличная работа";
        }
        j.Add(a);
        teacher::AttemptDetailView view;
        view.ShowAttempt(*journal::LoadAttempt(*j.db, a.Id));
        const QString facts = view.findChild<QLabel*>("facts")->text();
        QVERIFY2(facts.contains("Проверка: не сходится: "), qPrintable(facts));
        QVERIFY2(facts.contains(problem), qPrintable(facts));
        QVERIFY2(facts.contains("Отметка: 2"), qPrintable(facts));
        QVERIFY2(facts.contains("Верных ответов: 7 из 10"), qPrintable(facts));
        QCOMPARE(view.Verdict(row)->text(), "неверно");
        QCOMPARE(view.Answer(row)->Colour(), kRed);
    }

    // Whatever a name holds is shown as the text it is, and no longer than the journal keeps.
    void storedTextsArePlainAndBounded()
    {
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        journal::StoredAttempt a =
            MakeAttempt(R"(Фёдоров <img src="/dev/zero"><b>жирный</b>)", TodayAt(9, 15), 10);
        j.Add(a);
        const QString longHost(400000, QChar(0x0436));
        // Written past the program's own limits, as a hand-edited file can be.
        QSqlQuery(QSqlDatabase::database(j.db->Name))
            .exec(QStringLiteral("DROP TRIGGER attempt_lengths_update"));
        QSqlQuery update(QSqlDatabase::database(j.db->Name));
        update.prepare("UPDATE attempt SET host = ? WHERE id = ?");
        update.addBindValue(longHost);
        update.addBindValue(a.Id);
        QVERIFY(update.exec());
        teacher::AttemptDetailView view;
        view.ShowAttempt(*journal::LoadAttempt(*j.db, a.Id));
        auto* heading = view.findChild<QLabel*>("heading");
        QCOMPARE(heading->textFormat(), Qt::PlainText);
        QVERIFY(heading->text().startsWith(R"(Фёдоров <img src="/dev/zero"><b>жирный</b>, )"));
        const QString facts = view.findChild<QLabel*>("facts")->text();
        QVERIFY2(facts.size() < 2000, qPrintable(facts.left(300)));
        QVERIFY(
            facts.contains(QString(journal::kMaxNameLength - 1, QChar(0x0436)) + QChar(0x2026)));
    }

    // Beside each wrong row, what its answer reveals; nothing beside a right one.
    void wrongRowsSayWhatTheyReveal()
    {
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        journal::StoredAttempt a = MakeAttempt("Иванова Мария", TodayAt(9, 15), 7, 431);
        // Row 9 is 1 2/5 · 1 1/3 = 1 13/15, row 10 is 1/100 : 1/50 = 1/2 (and 1/100 · 1/50 is
        // 1/5000); row 8 is 2 1/2 · 2/5 = 1, answered 2.
        a.Record.Rows.at(8).Typed = {"1", "26", "30"};
        a.Record.Rows.at(9).Typed = {"", "1", "5000"};
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
        QVERIFY(view.findChild<QLabel*>("facts")->text().contains("Проверка: сходится"));
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
