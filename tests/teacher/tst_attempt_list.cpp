// SPDX-License-Identifier: GPL-3.0-or-later
// The list of attempts over a real SQLite journal: which rows a filter lets through, their
// order by every column, how they read, the count and mean mark, and that rows are fetched
// as needed rather than all at once.
#include "teacher/attempt_list_model.h"
#include "tests/teacher/journal_fixture.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

QStringList Column(const teacher::AttemptListModel& model, int column)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r) {
        texts << model.data(model.index(r, column)).toString();
    }
    return texts;
}

journal::AttemptFilter Today()
{
    return {QDate::currentDate(), QDate::currentDate(), {}};
}

} // namespace

class AttemptListTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;

    // Five attempts today and two on other days.
    void FillClass()
    {
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9, 0), 10, 420));
        j->Add(MakeAttempt("Абрамова Анна", TodayAt(9, 30), 8, 125));
        j->Add(MakeAttempt("Яковлев Ян", TodayAt(10, 0), 9, 600));
        j->Add(MakeAttempt("Борисова Вера", TodayAt(10, 30), std::nullopt, 65));
        j->Add(MakeAttempt("иванова мария", TodayAt(11, 0), 3, 300));
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9, 0).addDays(-1), 2, 200));
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9, 0).addDays(-10), 10, 100));
    }

private slots:
    void init()
    {
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
        FillClass();
    }
    void cleanup() { j.reset(); }

    void filterChoosesRows_data()
    {
        QTest::addColumn<int>("fromDaysAgo"); // -1: open
        QTest::addColumn<int>("toDaysAgo");
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<int>("rows");
        QTest::addColumn<long long>("count");
        QTest::addColumn<double>("average"); // 0: none

        QTest::newRow("today") << 0 << 0 << "" << 5 << 5LL << (5 + 3 + 4 + 2) / 4.0;
        QTest::newRow("yesterday") << 1 << 1 << "" << 1 << 1LL << 2.0;
        QTest::newRow("last two days") << 1 << 0 << "" << 6 << 6LL << (5 + 3 + 4 + 2 + 2) / 5.0;
        QTest::newRow("every day") << -1 << -1 << "" << 7 << 7LL << (5 + 3 + 4 + 2 + 2 + 5) / 6.0;
        QTest::newRow("up to 2 days ago") << -1 << 2 << "" << 1 << 1LL << 5.0;
        QTest::newRow("part of a name, any case")
            << -1 << -1 << "ИВАНОВ" << 4 << 4LL << (5 + 2 + 5 + 2) / 4.0;
        QTest::newRow("lower case Cyrillic") << 0 << 0 << "иванова" << 1 << 1LL << 2.0;
        QTest::newRow("only an unjudged attempt") << 0 << 0 << "Вера" << 1 << 1LL << 0.0;
        QTest::newRow("nobody") << -1 << -1 << "Сидоров" << 0 << 0LL << 0.0;
        QTest::newRow("a quote is text") << -1 << -1 << "'" << 0 << 0LL << 0.0;
        QTest::newRow("a percent sign is text") << -1 << -1 << "%" << 0 << 0LL << 0.0;
        QTest::newRow("an underscore is text") << -1 << -1 << "_" << 0 << 0LL << 0.0;
    }
    void filterChoosesRows()
    {
        QFETCH(int, fromDaysAgo);
        QFETCH(int, toDaysAgo);
        QFETCH(QString, pupil);
        QFETCH(int, rows);
        QFETCH(long long, count);
        QFETCH(double, average);
        const QDate today = QDate::currentDate();
        journal::AttemptFilter filter;
        filter.From = fromDaysAgo < 0 ? QDate() : today.addDays(-fromDaysAgo);
        filter.To = toDaysAgo < 0 ? QDate() : today.addDays(-toDaysAgo);
        filter.PupilContains = pupil;

        teacher::AttemptListModel model(*j->db);
        QVERIFY2(model.SetFilter(filter), qPrintable(model.Problem()));
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.Totals().Count, count);
        if (average == 0.0) {
            QVERIFY(!model.Totals().AverageMark);
        } else {
            QVERIFY(model.Totals().AverageMark);
            QCOMPARE(*model.Totals().AverageMark, average);
        }
        if (!pupil.isEmpty()) {
            for (const QString& name : Column(model, teacher::AttemptListModel::Pupil)) {
                QVERIFY2(name.contains(pupil, Qt::CaseInsensitive), qPrintable(name));
            }
        }
    }

    // On a day of their own: three pupils whose names have е or ё, each ended differently on
    // one of two computers. е and ё are one letter to the search, both ways and in any case.
    void narrowsByLetterEndingAndComputer_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<int>("ending"); // -1: any
        QTest::addColumn<QString>("host");
        QTest::addColumn<QStringList>("pupils"); // in the order of their codes: Ё, Ф…, е before ё

        const QString fyodorov = "Фёдоров Фёдор", fedorova = "Федорова Алёна",
                      yolkin = "ЁЛКИН ЕГОР";
        const int any = -1;
        using E = engine::AttemptEnd;
        QTest::newRow("е finds ё") << "федоров" << any << "" << QStringList{fedorova, fyodorov};
        QTest::newRow("ё finds е") << "ФЁДОРОВА" << any << "" << QStringList{fedorova};
        QTest::newRow("ё in the middle") << "алена" << any << "" << QStringList{fedorova};
        QTest::newRow("capital Ё, typed е") << "елкин" << any << "" << QStringList{yolkin};
        QTest::newRow("capital Ё, typed ё") << "ёлкин" << any << "" << QStringList{yolkin};
        QTest::newRow("е is not и") << "фидор" << any << "" << QStringList{};
        QTest::newRow("handed in") << "" << int(E::HandedIn) << "" << QStringList{fyodorov};
        QTest::newRow("time ran out") << "" << int(E::TimedOut) << "" << QStringList{fedorova};
        QTest::newRow("interrupted") << "" << int(E::Interrupted) << "" << QStringList{yolkin};
        QTest::newRow("still running") << "" << int(E::Running) << "" << QStringList{};
        QTest::newRow("one computer") << "" << any << "класс-2" << QStringList{yolkin, fedorova};
        QTest::newRow("computer and name") << "ФЕД" << any << "класс-2" << QStringList{fedorova};
        QTest::newRow("computer and ending")
            << "" << int(E::HandedIn) << "класс-2" << QStringList{};
        QTest::newRow("part of a computer's name is not a computer")
            << "" << any << "класс" << QStringList{};
    }
    void narrowsByLetterEndingAndComputer()
    {
        QFETCH(QString, pupil);
        QFETCH(int, ending);
        QFETCH(QString, host);
        QFETCH(QStringList, pupils);
        const QDate day = QDate::currentDate().addDays(-20);
        const QDateTime at = QDateTime(day, QTime(10, 0)).toUTC();
        j->Add(MakeAttempt("Фёдоров Фёдор", at, 10));
        journal::StoredAttempt late = MakeAttempt("Федорова Алёна", at.addSecs(60), 6);
        late.Host = "класс-2";
        late.Record.End = engine::AttemptEnd::TimedOut;
        j->Add(late);
        journal::StoredAttempt stopped = MakeAttempt("ЁЛКИН ЕГОР", at.addSecs(120), std::nullopt);
        stopped.Host = "класс-2";
        j->Add(stopped);

        journal::AttemptFilter filter{day, day, pupil};
        if (ending >= 0) {
            filter.Ending = engine::AttemptEnd(ending);
        }
        filter.Host = host;
        teacher::AttemptListModel model(*j->db);
        QVERIFY2(model.SetFilter(filter), qPrintable(model.Problem()));
        model.sort(teacher::AttemptListModel::Pupil, Qt::AscendingOrder);
        QCOMPARE(Column(model, teacher::AttemptListModel::Pupil), pupils);
        QCOMPARE(model.Totals().Count, static_cast<long long>(pupils.size()));
    }

    void sortsByEveryColumn_data()
    {
        using M = teacher::AttemptListModel;
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("pupils");

        const QString ivanov = "Иванов Пётр", abramova = "Абрамова Анна", yakovlev = "Яковлев Ян",
                      borisova = "Борисова Вера", ivanova = "иванова мария";
        QTest::newRow("pupil A-Я") << int(M::Pupil) << int(Qt::AscendingOrder)
                                   << QStringList{abramova, borisova, ivanov, yakovlev, ivanova};
        QTest::newRow("started, newest first")
            << int(M::Started) << int(Qt::DescendingOrder)
            << QStringList{ivanova, borisova, yakovlev, abramova, ivanov};
        QTest::newRow("started, oldest first")
            << int(M::Started) << int(Qt::AscendingOrder)
            << QStringList{ivanov, abramova, yakovlev, borisova, ivanova};
        QTest::newRow("duration, longest first")
            << int(M::Duration) << int(Qt::DescendingOrder)
            << QStringList{yakovlev, ivanov, ivanova, abramova, borisova};
        QTest::newRow("right answers, fewest first, unjudged last")
            << int(M::RightCount) << int(Qt::AscendingOrder)
            << QStringList{ivanova, abramova, yakovlev, ivanov, borisova};
        QTest::newRow("mark, best first, unjudged last")
            << int(M::Mark) << int(Qt::DescendingOrder)
            << QStringList{ivanov, yakovlev, abramova, ivanova, borisova};
        // Equal endings keep the newest first.
        QTest::newRow("ending: прерван before сдан")
            << int(M::Ending) << int(Qt::AscendingOrder)
            << QStringList{borisova, ivanova, yakovlev, abramova, ivanov};
    }
    void sortsByEveryColumn()
    {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(QStringList, pupils);
        teacher::AttemptListModel model(*j->db);
        QVERIFY(model.SetFilter(Today()));
        model.sort(column, Qt::SortOrder(order));
        QVERIFY2(model.Problem().isEmpty(), qPrintable(model.Problem()));
        QCOMPARE(Column(model, teacher::AttemptListModel::Pupil), pupils);
        // A new filter keeps the order.
        QVERIFY(model.SetFilter(Today()));
        QCOMPARE(Column(model, teacher::AttemptListModel::Pupil), pupils);
    }

    void rowsReadAsTheTeacherExpects()
    {
        teacher::AttemptListModel model(*j->db);
        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), "Борисова"}));
        QCOMPARE(model.rowCount(), 1);
        using M = teacher::AttemptListModel;
        const auto cell = [&](int column) { return model.data(model.index(0, column)).toString(); };
        QCOMPARE(cell(M::Host), "класс-1");
        QCOMPARE(cell(M::Started),
                 QDate::currentDate().toString("dd.MM.yyyy") + QStringLiteral(" 10:30"));
        QCOMPARE(cell(M::Duration), "1:05");
        QCOMPARE(cell(M::Ending), "прерван");
        QCOMPARE(cell(M::RightCount), "—");
        QCOMPARE(cell(M::Mark), "—");

        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), "Яковлев"}));
        QCOMPARE(cell(M::Duration), "10:00");
        QCOMPARE(cell(M::Ending), "сдан");
        QCOMPARE(cell(M::RightCount), "9");
        QCOMPARE(cell(M::Mark), "4");
        QCOMPARE(cell(M::Check), "сходится");
        QCOMPARE(model.headerData(M::Mark, Qt::Horizontal).toString(), "Отметка");
        QCOMPARE(model.headerData(M::Check, Qt::Horizontal).toString(), "Проверка");
        QCOMPARE(model.columnCount(), int(M::ColumnCount));
    }

    // A mark raised in the file after the test: the list shows the mark the answers earn and
    // says that the record does not hold together.
    void forgedMarksAreNotShownAsTrue()
    {
        journal::StoredAttempt forged = MakeAttempt("Подделкин Олег", TodayAt(11, 0), 6);
        forged.Record.RightCount = 10;
        forged.Record.Mark = 5;
        forged.Record.GradeText = "5. Отличная работа";
        j->Add(forged);
        teacher::AttemptListModel model(*j->db);
        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), "Подделкин"}));
        QCOMPARE(model.rowCount(), 1);
        using M = teacher::AttemptListModel;
        const auto cell = [&](int column) { return model.data(model.index(0, column)).toString(); };
        QCOMPARE(cell(M::RightCount), "6");
        QCOMPARE(cell(M::Mark), "2");
        QCOMPARE(cell(M::Check), "не сходится: число верных ответов не сходится с ответами; "
                                 "отметка не сходится с ответами");
    }

    void attemptIdsMatchTheirRows()
    {
        const journal::StoredAttempt added =
            j->Add(MakeAttempt("Петрова Ольга", TodayAt(12, 0), 7));
        teacher::AttemptListModel model(*j->db);
        QVERIFY(model.SetFilter({{}, {}, "Петрова"}));
        QCOMPARE(model.AttemptId(0), added.Id);
        QVERIFY(model.AttemptId(1).isEmpty());
        QVERIFY(model.AttemptId(-1).isEmpty());
    }

    void fetchesRowsAsNeeded()
    {
        for (int i = 0; i < 700; ++i) {
            j->Add(MakeAttempt(QStringLiteral("Ученик %1").arg(i), TodayAt(8, 0).addSecs(i), 10));
        }
        teacher::AttemptListModel model(*j->db);
        QSignalSpy reloaded(&model, &teacher::AttemptListModel::Reloaded);
        QVERIFY(model.SetFilter(Today()));
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(model.Totals().Count, 705LL);
        QVERIFY2(model.rowCount() < 705, qPrintable(QString::number(model.rowCount())));
        QVERIFY(model.canFetchMore(QModelIndex()));
        model.FetchAll();
        QCOMPARE(model.rowCount(), 705);
        QVERIFY(!model.canFetchMore(QModelIndex()));
    }

    void unreadableJournalIsAProblemNotACrash()
    {
        teacher::AttemptListModel model(*j->db);
        QVERIFY(model.SetFilter(Today()));
        QSqlQuery drop(QSqlDatabase::database(j->db->Name));
        QVERIFY(drop.exec("DROP TABLE attempt_row"));
        QVERIFY(drop.exec("DROP TABLE attempt"));
        QVERIFY(!model.Refresh());
        QVERIFY2(model.Problem().startsWith("Не удалось прочитать журнал"),
                 qPrintable(model.Problem()));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.Totals().Count, 0LL);
    }
};

QTEST_MAIN(AttemptListTest)
#include "tst_attempt_list.moc"
