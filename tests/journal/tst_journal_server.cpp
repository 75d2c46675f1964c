// SPDX-License-Identifier: GPL-3.0-or-later
// The journal on a real PostgreSQL server that with-postgres.sh starts for this test, with the
// shipped schema and roles: attempts sent from pupils' journals and read back by the teacher's
// role, what the pupils' role may not do, a server stopped while tests are taken, thirty
// writers at once, and settings that cannot work.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/local_outbox.h"
#include "journal/pupil_journal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

using journal_test::RunningAttempt;
using journal_test::SampleAttempt;

namespace {

QString Uri(const char* role)
{
    return qEnvironmentVariable(role);
}

journal::JournalSettings Pupil(const QString& folder)
{
    journal::JournalSettings s;
    s.LocalPath = folder + "/journal.sqlite";
    s.LogPath = folder + "/journal.log";
    s.ServerUri = Uri("FRACTION_TEST_PUPIL_URI");
    s.MaxRetryWait = std::chrono::seconds(1);
    return s;
}

// A whole test as the window reports it: started, typed, handed in.
void TakeTest(journal::PupilJournal& j, const std::string& typed)
{
    engine::AttemptRecord r = RunningAttempt().Record;
    j.Report(r);
    r.Rows[6].Typed.Numerator = typed;
    j.Report(r);
    engine::AttemptRecord done = SampleAttempt().Record;
    done.Rows[6].Typed.Numerator = typed;
    j.Report(done);
}

bool ServerCtl(const QString& what)
{
    return QProcess::execute(Uri("FRACTION_TEST_SERVER_CTL"), {what}) == 0;
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestJournalServer : public QObject {
    Q_OBJECT

    std::optional<journal::Connection> admin_;

    int ServerCount(const QString& sql = "SELECT count(*) FROM attempt")
    {
        QSqlQuery q(QSqlDatabase::database(admin_->Name));
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

    std::set<QString> ServerIds()
    {
        std::set<QString> ids;
        for (const auto& a : journal::LoadAttempts(*admin_, {})) {
            ids.insert(a.Id);
        }
        return ids;
    }

private slots:
    void initTestCase()
    {
        if (Uri("FRACTION_TEST_ADMIN_URI").isEmpty()) {
            QSKIP("run through with-postgres.sh");
        }
        const auto opened = journal::OpenServer(Uri("FRACTION_TEST_ADMIN_URI"));
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        admin_ = opened.Db;
    }

    void init()
    {
        if (admin_) {
            QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name)).exec("DELETE FROM attempt"));
        }
    }

    void sentAttemptReadsBackForTheTeacher()
    {
        QTemporaryDir dir;
        journal::PupilJournal pupilJournal(Pupil(dir.path()));
        TakeTest(pupilJournal, "«кавычки», запятые");
        QTRY_COMPARE(pupilJournal.SentCount(), 1);
        pupilJournal.Shutdown();

        const auto local = journal::OpenSqlite(dir.filePath("journal.sqlite"));
        const auto mine = journal::LoadAttempt(*local.Db, pupilJournal.AttemptId());
        QVERIFY(mine);
        QVERIFY(journal::QueuedIds(*local.Db).isEmpty());
        journal::CloseConnection(*local.Db);

        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        const auto there = journal::LoadAttempt(*teacher.Db, pupilJournal.AttemptId());
        QVERIFY(there);
        QCOMPARE(there->StartedAt, mine->StartedAt);
        QCOMPARE(there->EndedAt, mine->EndedAt);
        QVERIFY(there->Record == mine->Record);
        QVERIFY(*there == *mine);
        journal::CloseConnection(*teacher.Db);
    }

    void filtersOnTheServer_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all") << QDate() << QDate() << QString()
                             << QStringList{"Ёжиков Пётр", "ёжикова 100%", "Smith_J"};
        QTest::newRow("Cyrillic, any case") << QDate() << QDate() << QStringLiteral("ЁЖИКОВ")
                                            << QStringList{"Ёжиков Пётр", "ёжикова 100%"};
        QTest::newRow("percent is plain")
            << QDate() << QDate() << QStringLiteral("0%") << QStringList{"ёжикова 100%"};
        QTest::newRow("underscore is plain")
            << QDate() << QDate() << QStringLiteral("h_") << QStringList{"Smith_J"};
        QTest::newRow("one local day")
            << QDate(2026, 3, 2) << QDate(2026, 3, 2) << QString() << QStringList{"ёжикова 100%"};
        QTest::newRow("quote") << QDate() << QDate() << QStringLiteral("'") << QStringList{};
    }

    void filtersOnTheServer()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, pupil);
        QFETCH(QStringList, expected);
        const QStringList names = {"Smith_J", "ёжикова 100%", "Ёжиков Пётр"};
        const QList<QDateTime> starts = {QDateTime(QDate(2026, 3, 3), QTime(0, 0, 30)),
                                         QDateTime(QDate(2026, 3, 2), QTime(12, 0)),
                                         QDateTime(QDate(2026, 3, 1), QTime(23, 59))};
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto a = SampleAttempt(names.at(i));
            a.StartedAt = starts.at(i).toUTC();
            journal::SaveAttempt(*admin_, a);
        }
        QStringList found;
        for (const auto& a : journal::LoadAttempts(*admin_, {from, to, pupil})) {
            found << a.Pupil;
        }
        QCOMPARE(found, expected);
    }

    void pupilsRoleCannotReadChangeOrDelete_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("read attempts") << "SELECT pupil FROM attempt";
        QTest::newRow("read rows") << "SELECT typed_whole FROM attempt_row";
        QTest::newRow("change attempts") << "UPDATE attempt SET mark = 5";
        QTest::newRow("change rows") << "UPDATE attempt_row SET verdict = true";
        QTest::newRow("delete attempts") << "DELETE FROM attempt";
        QTest::newRow("delete rows") << "DELETE FROM attempt_row";
        QTest::newRow("empty the table") << "TRUNCATE attempt CASCADE";
        QTest::newRow("drop the table") << "DROP TABLE attempt CASCADE";
        QTest::newRow("change the version") << "UPDATE schema_version SET version = 9";
        QTest::newRow("add a table") << "CREATE TABLE public.mine (x int)";
    }

    void pupilsRoleCannotReadChangeOrDelete()
    {
        QFETCH(QString, sql);
        const auto stored = SampleAttempt();
        journal::SaveAttempt(*admin_, stored);
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        QSqlQuery q(QSqlDatabase::database(pupil.Db->Name));
        QVERIFY(!q.exec(sql));
        QVERIFY2(q.lastError().text().contains("permission denied") ||
                     q.lastError().text().contains("must be owner"),
                 qPrintable(q.lastError().text()));
        q.finish();
        journal::CloseConnection(*pupil.Db);
        QVERIFY(*journal::LoadAttempt(*admin_, stored.Id) == stored);
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt_row"), engine::kAttemptRows);
    }

    void pupilsRoleOnlyAdds()
    {
        const auto stored = SampleAttempt();
        journal::SaveAttempt(*admin_, stored);
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        auto changed = stored;
        changed.Record.Mark = 5;
        changed.Pupil = "Подмена";
        QVERIFY(!journal::AddAttemptOnce(*pupil.Db, changed));
        QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal::SaveAttempt(*pupil.Db, changed));
        QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal::LoadAttempts(*pupil.Db, {}));
        QVERIFY_THROWS_EXCEPTION(journal::JournalError,
                                 journal::DeleteAttempts(*pupil.Db, {stored.Id}));
        QVERIFY(journal::AddAttemptOnce(*pupil.Db, SampleAttempt()));
        journal::CloseConnection(*pupil.Db);
        QVERIFY(*journal::LoadAttempt(*admin_, stored.Id) == stored);
        QCOMPARE(ServerCount(), 2);
    }

    void teachersRoleReadsAndDeletesButDoesNotAdd()
    {
        const auto a = SampleAttempt(), b = SampleAttempt();
        journal::SaveAttempt(*admin_, a);
        journal::SaveAttempt(*admin_, b);
        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        QCOMPARE(journal::LoadAttempts(*teacher.Db, {}).size(), 2U);
        QCOMPARE(journal::DeleteAttempts(*teacher.Db, {a.Id, "junk"}), 1);
        QVERIFY_THROWS_EXCEPTION(journal::JournalError,
                                 journal::AddAttemptOnce(*teacher.Db, SampleAttempt()));
        journal::CloseConnection(*teacher.Db);
        QCOMPARE(ServerIds(), std::set<QString>{b.Id});
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt_row"), engine::kAttemptRows);
    }

    void serverStoppedWhileThreeTestsAreTaken()
    {
        QVERIFY(ServerCtl("stop"));
        std::vector<std::unique_ptr<QTemporaryDir>> dirs;
        std::vector<std::unique_ptr<journal::PupilJournal>> pupils;
        for (int i = 0; i < 3; ++i) {
            dirs.push_back(std::make_unique<QTemporaryDir>());
            pupils.push_back(std::make_unique<journal::PupilJournal>(Pupil(dirs.back()->path())));
            TakeTest(*pupils.back(), std::to_string(i));
        }
        // The tests were handed in and are in the local files while the server is away.
        for (int i = 0; i < 3; ++i) {
            QTRY_VERIFY(pupils.at(i)->LocalSaveCount() >= 1);
            QCOMPARE(pupils.at(i)->SentCount(), 0);
        }
        QTRY_VERIFY(ReadAll(dirs.front()->filePath("journal.log")).contains("не отвечает"));
        QVERIFY(ServerCtl("start"));
        QVERIFY(admin_);
        journal::CloseConnection(*admin_);
        admin_ = journal::OpenServer(Uri("FRACTION_TEST_ADMIN_URI")).Db;
        QVERIFY(admin_);
        for (const auto& pupil : pupils) {
            QTRY_COMPARE_WITH_TIMEOUT(pupil->SentCount(), 1, 20000);
        }
        std::set<QString> ids;
        for (const auto& pupil : pupils) {
            ids.insert(pupil->AttemptId());
            pupil->Shutdown();
        }
        QCOMPARE(ServerIds(), ids);
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt_row"), 3 * engine::kAttemptRows);

        // Queued once more (a power cut before the outbox line went): the next start sends it
        // again and the server still has it once.
        const QString path = dirs.front()->filePath("journal.sqlite");
        {
            const auto local = journal::OpenSqlite(path);
            QVERIFY(journal::QueuedIds(*local.Db).isEmpty());
            journal::SaveAndQueue(*local.Db,
                                  *journal::LoadAttempt(*local.Db, pupils.front()->AttemptId()));
            journal::CloseConnection(*local.Db);
        }
        {
            journal::PupilJournal nextStart(Pupil(dirs.front()->path()));
            QTRY_COMPARE(nextStart.SentCount(), 1);
        }
        QCOMPARE(ServerIds(), ids);
        const auto local = journal::OpenSqlite(path);
        QVERIFY(journal::QueuedIds(*local.Db).isEmpty());
        journal::CloseConnection(*local.Db);
    }

    void attemptsLeftByAStoppedServerGoAtTheNextStart()
    {
        QVERIFY(ServerCtl("stop"));
        QTemporaryDir dir;
        QString id;
        {
            journal::PupilJournal pupilJournal(Pupil(dir.path()));
            TakeTest(pupilJournal, "5");
            QTRY_VERIFY(ReadAll(dir.filePath("journal.log")).contains("не отвечает"));
            id = pupilJournal.AttemptId();
        }
        QVERIFY(ServerCtl("start"));
        journal::CloseConnection(*admin_);
        admin_ = journal::OpenServer(Uri("FRACTION_TEST_ADMIN_URI")).Db;
        QVERIFY(admin_);
        QCOMPARE(ServerCount(), 0);
        {
            journal::PupilJournal nextStart(Pupil(dir.path()));
            QTRY_COMPARE(nextStart.SentCount(), 1);
            QVERIFY(nextStart.AttemptId().isEmpty());
        }
        QCOMPARE(ServerIds(), std::set<QString>{id});
    }

    void thirtyWritersAtOnce()
    {
        constexpr int kWriters = 30;
        std::vector<std::unique_ptr<QTemporaryDir>> dirs;
        std::vector<std::unique_ptr<journal::PupilJournal>> pupils;
        for (int i = 0; i < kWriters; ++i) {
            dirs.push_back(std::make_unique<QTemporaryDir>());
            pupils.push_back(std::make_unique<journal::PupilJournal>(Pupil(dirs.back()->path())));
        }
        for (int i = 0; i < kWriters; ++i) {
            TakeTest(*pupils.at(i), std::to_string(i));
        }
        std::set<QString> ids;
        for (const auto& pupil : pupils) {
            QTRY_COMPARE_WITH_TIMEOUT(pupil->SentCount(), 1, 30000);
            ids.insert(pupil->AttemptId());
        }
        pupils.clear();
        QCOMPARE(ids.size(), std::size_t(kWriters));
        QCOMPARE(ServerIds(), ids);
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt_row"), kWriters * engine::kAttemptRows);
        QCOMPARE(ServerCount("SELECT count(DISTINCT typed_numerator) FROM attempt_row WHERE "
                             "row_no = 6"),
                 kWriters);
    }

    void settingsThatCannotWork_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("says");
        QUrl pupil(Uri("FRACTION_TEST_PUPIL_URI"));
        QUrl wrongPassword = pupil;
        wrongPassword.setPassword("wrong");
        QTest::newRow("wrong password") << wrongPassword.toString() << "пароль";
        QUrl noDatabase = pupil;
        noDatabase.setPath("/no_such_base");
        QTest::newRow("unknown database") << noDatabase.toString() << "нет базы";
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        QUrl refused = pupil;
        refused.setPort(closed.serverPort());
        closed.close();
        QTest::newRow("nothing on the port") << refused.toString() << "не отвечает";
        QTest::newRow("no database name") << "postgresql://u:p@127.0.0.1:5432/"
                                          << "неверно";
        QTest::newRow("not a URI") << "postgresql://u:p@127.0.0.1:port/db"
                                   << "неверно";
        QTest::newRow("unknown option") << QString(pupil.toString() + "?x-y=1") << "параметр";
    }

    void settingsThatCannotWork()
    {
        QFETCH(QString, uri);
        QFETCH(QString, says);
        const auto opened = journal::OpenServer(uri);
        QVERIFY(!opened.Db);
        QVERIFY2(opened.Problem.contains(says), qPrintable(opened.Problem));
        QVERIFY2(!opened.Problem.contains(QUrl(Uri("FRACTION_TEST_PUPIL_URI")).password()),
                 "the password is shown");
        QVERIFY(!opened.Problem.contains('\n'));
    }

    void wrongPasswordKeepsTheAttemptLocally()
    {
        QTemporaryDir dir;
        journal::JournalSettings s = Pupil(dir.path());
        QUrl uri(s.ServerUri);
        uri.setPassword("wrong");
        s.ServerUri = uri.toString();
        QString id;
        {
            journal::PupilJournal pupilJournal(s);
            TakeTest(pupilJournal, "1");
            QTRY_VERIFY(ReadAll(s.LogPath).contains("пароль"));
            id = pupilJournal.AttemptId();
        }
        QCOMPARE(ServerCount(), 0);
        const auto local = journal::OpenSqlite(s.LocalPath);
        QCOMPARE(journal::QueuedIds(*local.Db), QStringList{id});
        journal::CloseConnection(*local.Db);
        // One line about the refusal, however often it was retried.
        QCOMPARE(ReadAll(s.LogPath).count("пароль"), 1);
    }

    void newerServerSchemaIsRefused()
    {
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name))
                    .exec(QStringLiteral("UPDATE schema_version SET version = %1")
                              .arg(journal::kServerSchemaVersion + 1)));
        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name))
                    .exec("UPDATE schema_version SET version = 1"));
        QVERIFY(!teacher.Db);
        QVERIFY(teacher.Problem.startsWith("Журнал создан более новой версией программы"));
    }
};

JOURNAL_TEST_MAIN(TestJournalServer)
#include "tst_journal_server.moc"
