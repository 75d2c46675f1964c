// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on the classroom's PostgreSQL server that with-postgres.sh starts for
// this test: the list, its order and totals, one attempt, the charts, the typical mistakes and
// deleting as the teacher's role; and the faults a server brings — the pupils' role that may not
// read, a wrong password — said in the status area with nothing changed.
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/chart_data.h"
#include "teacher/export_job.h"
#include "teacher/export_tasks.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_watch.h"
#include "teacher/journal_window.h"
#include "teacher/mistakes_view.h"
#include "tests/teacher/journal_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
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

    // The stamps follow the order the attempts reached the server in (init), which is not the
    // order they were started in; clicking the header sorts by them either way.
    void listSortsByWhenTheServerReceived()
    {
        teacher::JournalWindow window(journal::OpenResult{teacher_, {}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<teacher::FilterBar*>()->ChoosePreset(teacher::DaysPreset::AllDays);
        const teacher::AttemptListModel* model = window.Model();
        const int received = teacher::AttemptListModel::Received;
        QCOMPARE(model->columnCount(), received + 1);
        QCOMPARE(model->headerData(received, Qt::Horizontal).toString(), "Получено");
        auto* header = window.findChild<QTableView*>("list")->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(received) + 5, header->height() / 2);
        const auto ids = [&] {
            QStringList found;
            for (int r = 0; r < model->rowCount(); ++r) {
                found << model->AttemptId(r);
                if (!model->data(model->index(r, received))
                         .toString()
                         .startsWith(QDate::currentDate().toString("dd.MM.yyyy"))) {
                    found << "no stamp on row " + QString::number(r);
                }
            }
            return found;
        };
        QStringList arrived;
        for (const auto& a : added_) {
            arrived << a.Id;
        }
        QStringList sorted[2];
        for (QStringList& order : sorted) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            order = ids();
        }
        QStringList reversed(arrived.rbegin(), arrived.rend());
        QCOMPARE(header->sortIndicatorSection(), received);
        QVERIFY2((sorted[0] == arrived && sorted[1] == reversed) ||
                     (sorted[0] == reversed && sorted[1] == arrived),
                 qPrintable(sorted[0].join(' ') + " / " + sorted[1].join(' ')));
    }

    // The export job's own connection reads the server in the list's order, and the watch
    // notices an attempt the administrator's role adds.
    void exportsAndTheWatchOnTheServer()
    {
        teacher::AttemptListModel model(*teacher_);
        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), {}}));
        model.sort(teacher::AttemptListModel::Mark, Qt::AscendingOrder);
        model.FetchAll();
        QStringList shown;
        for (int r = 0; r < model.rowCount(); ++r) {
            shown << model.AttemptId(r);
        }
        QTemporaryDir out;
        const QString path = out.filePath("list.csv");
        teacher::ExportJob job(QStringLiteral("test"), *teacher_,
                               teacher::CsvWork(teacher::RequestOf(model), path, u';'));
        QSignalSpy finished(&job, &teacher::ExportJob::Finished);
        job.Start();
        QVERIFY(finished.wait(30000));
        QVERIFY2(finished.at(0).at(0).toBool(), qPrintable(finished.at(0).at(1).toString()));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QStringList written;
        for (const QByteArray& line : csv.readAll().split('\n').mid(1)) {
            if (!line.isEmpty()) {
                written << QString::fromUtf8(line.left(line.indexOf(';')));
            }
        }
        QCOMPARE(written, shown);

        teacher::JournalWatch watch(*teacher_);
        QSignalSpy changed(&watch, &teacher::JournalWatch::Changed);
        watch.Check();
        QCOMPARE(changed.count(), 0);
        journal::SaveAttempt(*admin_, MakeAttempt("Новиков Олег", TodayAt(12), 7, 300));
        watch.Check();
        QCOMPARE(changed.count(), 1);
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
        const teacher::ChartFigures figures =
            teacher::ReadFigures(*teacher_, today, teacher::ChartAttempts::Every);
        QCOMPARE(figures.Marks, (teacher::MarkCounts{1, 0, 1, 1}));
        const teacher::RowShares& shares = figures.Rows;
        QCOMPARE(shares.at(0), (teacher::RowShare{3, 3}));
        QCOMPARE(shares.at(5), (teacher::RowShare{2, 3}));
        QCOMPARE(shares.at(9), (teacher::RowShare{1, 3}));
        const auto points = teacher::MarksOverTime(*teacher_, {}, "Иванов Пётр");
        QCOMPARE(points.size(), std::size_t(2));
        QCOMPARE(points.at(0).StartedAt, TodayAt(9).addDays(-1));
        QCOMPARE(points.at(0).Mark, 4);
        QCOMPARE(points.at(1).Mark, 5);
    }

    // The typical mistakes are counted on a worker's own copy of the server connection; the
    // pupils' role, which may not read, gets the journal's sentence instead.
    void mistakesCountOnTheServer()
    {
        teacher::AttemptListModel model(*teacher_);
        teacher::MistakesView view(*teacher_, model);
        view.show();
        QVERIFY(model.SetFilter({QDate::currentDate(), QDate::currentDate(), {}}));
        QTRY_VERIFY(!view.Counting());
        // Абрамова's rows 9 and 10 and иванова's rows 4 to 10 hold 1 3/4.
        QCOMPARE(view.MistakeTable()->rowCount(), 1);
        QCOMPARE(view.MistakeTable()->item(0, 1)->text(), "2");
        QCOMPARE(view.MistakeTable()->item(0, 2)->text(), "9");
        QCOMPARE(view.MistakeTable()->item(0, 3)->text(), "4, 5, 6, 7, 8, 9, 10");

        const journal::OpenResult pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        {
            teacher::AttemptListModel pupilModel(*pupil.Db);
            teacher::MistakesView pupilView(*pupil.Db, pupilModel);
            pupilView.show();
            QTRY_VERIFY(!pupilView.Counting());
            QCOMPARE(pupilView.MistakeTable()->rowCount(), 0);
            const QString heading = pupilView.findChild<QLabel*>("mistakesHeading")->text();
            QVERIFY2(heading.startsWith("Не удалось прочитать попытки из журнала"),
                     qPrintable(heading));
        }
        journal::CloseConnection(*pupil.Db);
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
        // What the server stamped on it, beside what the pupil's computer sent.
        const QString facts = window.Detail()->findChild<QLabel*>("facts")->text();
        QVERIFY2(
            facts.contains("Получена сервером: " + QDate::currentDate().toString("dd.MM.yyyy")) &&
                facts.contains("Отправлена с адреса 127.0.0.1, роль postgres"),
            qPrintable(facts));

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
