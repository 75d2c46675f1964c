// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on the classroom's PostgreSQL server that with-postgres.sh starts for
// this test: the list, its order and totals, one attempt, the charts and deleting as the
// teacher's role; and the faults a server brings — the pupils' role that may not read, a wrong
// password — said in the status area with nothing changed.
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/chart_data.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_window.h"
#include "tests/teacher/journal_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

QString Uri(const char* role)
{
    return qEnvironmentVariable(role);
}

long long CountOnServer(const journal::Connection& admin)
{
    QSqlQuery query(QSqlDatabase::database(admin.Name));
    query.exec("SELECT COUNT(*) FROM attempt");
    return query.next() ? query.value(0).toLongLong() : -1;
}

} // namespace

class JournalWindowServerTest : public QObject {
    Q_OBJECT

private:
    std::optional<journal::Connection> admin_;
    std::optional<journal::Connection> teacher_;
    std::vector<journal::StoredAttempt> added_;

private slots:
    void initTestCase()
    {
        if (Uri("FRACTION_TEST_ADMIN_URI").isEmpty()) {
            QSKIP("run through tests/journal/with-postgres.sh");
        }
        const auto admin = journal::OpenServer(Uri("FRACTION_TEST_ADMIN_URI"));
        QVERIFY2(admin.Db, qPrintable(admin.Problem));
        admin_ = admin.Db;
        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        teacher_ = teacher.Db;
    }

    void init()
    {
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name)).exec("DELETE FROM attempt"));
        // The pupils' computers would have sent these; the administrator's role writes them.
        added_ = {MakeAttempt("Иванов Пётр", TodayAt(9), 10, 420),
                  MakeAttempt("Абрамова Анна", TodayAt(9, 30), 8, 125),
                  MakeAttempt("Борисова Вера", TodayAt(10), std::nullopt, 65),
                  MakeAttempt("иванова мария", TodayAt(11), 3, 300),
                  MakeAttempt("Иванов Пётр", TodayAt(9).addDays(-1), 9, 200)};
        for (const auto& a : added_) {
            journal::SaveAttempt(*admin_, a);
        }
    }

    void teacherReadsSortsAndCounts()
    {
        teacher::AttemptListModel model(*teacher_);
        QVERIFY2(model.SetFilter({QDate::currentDate(), QDate::currentDate(), "ИВАН"}),
                 qPrintable(model.Problem()));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.Totals().Count, 2LL);
        QCOMPARE(*model.Totals().AverageMark, 3.5);
        QCOMPARE(model.data(model.index(0, teacher::AttemptListModel::Started)).toString(),
                 QDate::currentDate().toString("dd.MM.yyyy") + " 11:00");

        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), {}}));
        model.sort(teacher::AttemptListModel::Mark, Qt::AscendingOrder);
        QStringList marks;
        for (int r = 0; r < model.rowCount(); ++r) {
            marks << model.data(model.index(r, teacher::AttemptListModel::Mark)).toString();
        }
        // Unjudged last on the server too.
        QCOMPARE(marks, (QStringList{"2", "3", "5", "—"}));
        model.sort(teacher::AttemptListModel::Ending, Qt::AscendingOrder);
        QCOMPARE(model.data(model.index(0, teacher::AttemptListModel::Ending)).toString(),
                 "прерван");
    }

    // The server reads е and ё as one letter both ways, whatever case the server's lower()
    // gives Ё, and narrows by ending and computer as the local journal does.
    void serverNarrowsByLetterEndingAndComputer_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<int>("ending"); // -1: any
        QTest::addColumn<QString>("host");
        QTest::addColumn<QStringList>("pupils"); // newest first
        const int any = -1;
        QTest::newRow("е finds ё") << "федоров ф" << any << "" << QStringList{"Фёдоров Фёдор"};
        QTest::newRow("ё finds е") << "Алёна" << any << "" << QStringList{"ФЕДОРОВА АЛЕНА"};
        QTest::newRow("capital Ё") << "ёлкин" << any << "" << QStringList{"ЁЛКИН ЕГОР"};
        QTest::newRow("both, any case")
            << "ФЕД" << any << "" << QStringList{"ФЕДОРОВА АЛЕНА", "Фёдоров Фёдор"};
        QTest::newRow("time ran out")
            << "" << int(engine::AttemptEnd::TimedOut) << "" << QStringList{"ФЕДОРОВА АЛЕНА"};
        QTest::newRow("one computer")
            << "" << any << "класс-2" << QStringList{"ЁЛКИН ЕГОР", "ФЕДОРОВА АЛЕНА"};
    }
    void serverNarrowsByLetterEndingAndComputer()
    {
        QFETCH(QString, pupil);
        QFETCH(int, ending);
        QFETCH(QString, host);
        QFETCH(QStringList, pupils);
        const QDate day = QDate::currentDate().addDays(-30);
        const QDateTime at = QDateTime(day, QTime(10, 0)).toUTC();
        journal::SaveAttempt(*admin_, MakeAttempt("Фёдоров Фёдор", at, 10));
        journal::StoredAttempt late = MakeAttempt("ФЕДОРОВА АЛЕНА", at.addSecs(60), 6);
        late.Host = "класс-2";
        late.Record.End = engine::AttemptEnd::TimedOut;
        journal::SaveAttempt(*admin_, late);
        journal::StoredAttempt stopped = MakeAttempt("ЁЛКИН ЕГОР", at.addSecs(120), std::nullopt);
        stopped.Host = "класс-2";
        journal::SaveAttempt(*admin_, stopped);

        journal::AttemptFilter filter{day, day, pupil};
        if (ending >= 0) {
            filter.Ending = engine::AttemptEnd(ending);
        }
        filter.Host = host;
        teacher::AttemptListModel model(*teacher_);
        QVERIFY2(model.SetFilter(filter), qPrintable(model.Problem()));
        QStringList shown;
        for (int r = 0; r < model.rowCount(); ++r) {
            shown << model.data(model.index(r, teacher::AttemptListModel::Pupil)).toString();
        }
        QCOMPARE(shown, pupils);
        QCOMPARE(teacher::ComputersInJournal(*teacher_), (QStringList{"класс-1", "класс-2"}));
    }

    void chartsCountOnTheServer()
    {
        const journal::AttemptFilter today{QDate::currentDate(), QDate::currentDate(), {}};
        QCOMPARE(teacher::CountMarks(*teacher_, today), (teacher::MarkCounts{1, 0, 1, 1}));
        const teacher::RowShares shares = teacher::ShareRightPerRow(*teacher_, today);
        QCOMPARE(shares.at(0), (teacher::RowShare{3, 3}));
        QCOMPARE(shares.at(5), (teacher::RowShare{2, 3}));
        QCOMPARE(shares.at(9), (teacher::RowShare{1, 3}));
        const auto points = teacher::MarksOverTime(*teacher_, {}, "Иванов Пётр");
        QCOMPARE(points.size(), std::size_t(2));
        QCOMPARE(points.at(0).StartedAt, TodayAt(9).addDays(-1));
        QCOMPARE(points.at(0).Mark, 4);
        QCOMPARE(points.at(1).Mark, 5);
    }

    void teacherSeesOneAttemptAndDeletesIt()
    {
        teacher::JournalWindow window(journal::OpenResult{teacher_, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = window.findChild<QTableView*>("list");
        QCOMPARE(window.Model()->rowCount(), 4);
        list->selectRow(3); // the oldest of today: Иванов Пётр at 9:00
        QCOMPARE(window.Detail()->Shown()->Id, added_.at(0).Id);
        QCOMPARE(window.Detail()->Verdict(0)->text(), "верно");

        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text() == "Удалить") {
                        b->click();
                    }
                }
            }
        });
        QCOMPARE(window.DeleteSelected(), 1);
        QCOMPARE(window.Model()->rowCount(), 3);
        QCOMPARE(CountOnServer(*admin_), 4LL);
        QVERIFY(!journal::LoadAttempt(*admin_, added_.at(0).Id));
    }

    // The window opens on each, says what to check, and the server keeps every attempt.
    void serverFaultsAreSaid_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the pupils' role")
            << Uri("FRACTION_TEST_PUPIL_URI") << "Нет права читать журнал" << true;
        QUrl wrong(Uri("FRACTION_TEST_TEACHER_URI"));
        wrong.setPassword("wrong");
        QTest::newRow("a wrong password") << wrong.toString() << "" << false;
        QUrl nowhere(Uri("FRACTION_TEST_TEACHER_URI"));
        nowhere.setPort(9);
        QTest::newRow("no server there") << nowhere.toString() << "" << false;
    }
    void serverFaultsAreSaid()
    {
        QFETCH(QString, uri);
        QFETCH(QString, said);
        QFETCH(bool, opens);
        const journal::OpenResult opened = journal::OpenServer(uri);
        QCOMPARE(bool(opened.Db), opens);
        {
            teacher::JournalWindow window(opened);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!window.StatusText().isEmpty());
            QVERIFY2(window.StatusText().contains(said), qPrintable(window.StatusText()));
            if (!opens) {
                QCOMPARE(window.StatusText(), opened.Problem);
                QVERIFY(!window.StatusText().contains("wrong"));
            } else {
                QCOMPARE(window.Model()->rowCount(), 0);
                QCOMPARE(window.Filters()->Preset(), teacher::DaysPreset::Today);
                window.Filters()->ChoosePreset(teacher::DaysPreset::AllDays);
                QVERIFY(window.StatusText().contains(said));
            }
            QCOMPARE(window.DeleteSelected(), 0);
        }
        if (opened.Db) {
            journal::CloseConnection(*opened.Db);
        }
        QCOMPARE(CountOnServer(*admin_), 5LL);
    }
};

QTEST_MAIN(JournalWindowServerTest)
#include "tst_journal_window_server.moc"
