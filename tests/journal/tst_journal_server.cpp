// SPDX-License-Identifier: GPL-3.0-or-later
// The journal on a real PostgreSQL server that with-postgres.sh starts for this test, with the
// shipped schema and roles: attempts sent from pupils' journals and read back by the teacher's
// role with the server's own stamps, what the pupils' role may not do (read, change, delete,
// choose the stamps, store over-long texts), a server stopped while tests are taken, thirty
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
#include <QTimeZone>

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

// The attempt without what the server stamps on it, to compare with what was sent.
journal::StoredAttempt Unstamped(journal::StoredAttempt a)
{
    a.ReceivedAt = {};
    a.ReceivedFrom.clear();
    a.ReceivedRole.clear();
    return a;
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

    // The server's clock, in milliseconds as the journal reads its times.
    QDateTime ServerNow()
    {
        QSqlQuery q(QSqlDatabase::database(admin_->Name));
        if (!q.exec("SELECT to_char(clock_timestamp() AT TIME ZONE 'UTC', "
                    "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')") ||
            !q.next()) {
            return {};
        }
        return journal::TimeFromStorageText(q.value(0).toString());
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
        QVERIFY(Unstamped(*there) == *mine);
        // The server's stamps, which the pupil's computer never sent.
        QVERIFY(!mine->ReceivedAt.isValid());
        QCOMPARE(there->ReceivedRole, "fraction_pupil");
        QCOMPARE(there->ReceivedFrom, "127.0.0.1");
        QVERIFY(there->ReceivedAt.isValid());
        journal::CloseConnection(*teacher.Db);
    }

    void stampsAreTheServersWhatever_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("role");
        QTest::newRow("pupils' role") << "FRACTION_TEST_PUPIL_URI"
                                      << "fraction_pupil";
        QTest::newRow("administrator") << "FRACTION_TEST_ADMIN_URI"
                                       << "postgres";
    }

    // The attempt claims to come from long ago; the server's clock says when it came, and the
    // administrator's later change of the attempt does not move the stamps.
    void stampsAreTheServersWhatever()
    {
        QFETCH(QString, sender);
        QFETCH(QString, role);
        auto sent = SampleAttempt();
        sent.StartedAt = QDateTime(QDate(2020, 1, 1), QTime(8, 0), QTimeZone::utc());
        sent.EndedAt = sent.StartedAt.addSecs(300);
        const QDateTime before = ServerNow();
        const auto opened = journal::OpenServer(Uri(qPrintable(sender)));
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        QVERIFY(journal::AddAttemptOnce(*opened.Db, sent));
        journal::CloseConnection(*opened.Db);
        const QDateTime after = ServerNow();

        const auto there = journal::LoadAttempt(*admin_, sent.Id);
        QVERIFY(there);
        QVERIFY(Unstamped(*there) == sent);
        QCOMPARE(there->ReceivedRole, role);
        QCOMPARE(there->ReceivedFrom, "127.0.0.1");
        QVERIFY2(there->ReceivedAt >= before.addMSecs(-1) && there->ReceivedAt <= after,
                 qPrintable(there->ReceivedAt.toString(Qt::ISODateWithMs)));

        auto changed = sent;
        changed.Record.Mark = 2;
        journal::SaveAttempt(*admin_, changed);
        const auto later = journal::LoadAttempt(*admin_, sent.Id);
        QCOMPARE(later->Record.Mark, std::optional<int>(2));
        QCOMPARE(later->ReceivedAt, there->ReceivedAt);
        QCOMPARE(later->ReceivedRole, role);
    }

    void pupilsRoleCannotChooseTheStamps_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("when") << "received_at"
                              << "'2020-01-01T08:00:00Z'";
        QTest::newRow("from where") << "received_from"
                                    << "'10.0.0.99'";
        QTest::newRow("which role") << "received_role"
                                    << "'fraction_teacher'";
    }

    void pupilsRoleCannotChooseTheStamps()
    {
        QFETCH(QString, column);
        QFETCH(QString, value);
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        {
            QSqlQuery q(QSqlDatabase::database(pupil.Db->Name));
            const auto insert = [](const QString& extraColumns, const QString& extraValues) {
                return QString("INSERT INTO attempt (id, pupil, host, program_version, "
                               "started_at, seconds_used, ending%1) VALUES ('%2', 'Подмена', "
                               "'pc', '1', now(), 10, 'handed_in'%3)")
                    .arg(extraColumns, journal::NewAttemptId(), extraValues);
            };
            QVERIFY(!q.exec(insert(", " + column, ", " + value)));
            QVERIFY2(q.lastError().text().contains("permission denied"),
                     qPrintable(q.lastError().text()));
            // The same without the stamp goes in, so the refusal was the stamp's.
            QVERIFY2(q.exec(insert({}, {})), qPrintable(q.lastError().text()));
        }
        journal::CloseConnection(*pupil.Db);
        QCOMPARE(ServerCount(), 1);
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt WHERE received_role = "
                             "'fraction_pupil' AND received_from = '127.0.0.1'"),
                 1);
    }

    void overlongTextsAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("stored");
        QTest::newRow("name of 200") << "pupil" << 200 << true;
        QTest::newRow("name of 201") << "pupil" << 201 << false;
        QTest::newRow("computer of 201") << "host" << 201 << false;
        QTest::newRow("version of 50") << "version" << 50 << true;
        QTest::newRow("version of 51") << "version" << 51 << false;
        QTest::newRow("grade of 51") << "grade" << 51 << false;
        QTest::newRow("typed whole of 51") << "whole" << 51 << false;
        QTest::newRow("typed numerator of 50") << "numerator" << 50 << true;
        QTest::newRow("typed numerator of 51") << "numerator" << 51 << false;
        QTest::newRow("typed denominator of 51") << "denominator" << 51 << false;
    }

    // Counted in characters, not bytes: every character here takes two bytes in UTF-8.
    void overlongTextsAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(bool, stored);
        const QString text(length, QChar(u'ж'));
        auto a = SampleAttempt();
        engine::TypedAnswer& typed = a.Record.Rows.at(9).Typed;
        if (field == "pupil") {
            a.Pupil = text;
        } else if (field == "host") {
            a.Host = text;
        } else if (field == "version") {
            a.ProgramVersion = text;
        } else if (field == "grade") {
            a.Record.GradeText = text.toStdString();
        } else if (field == "whole") {
            typed.Whole = text.toStdString();
        } else if (field == "numerator") {
            typed.Numerator = text.toStdString();
        } else {
            typed.Denominator = text.toStdString();
        }
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        if (stored) {
            QVERIFY(journal::AddAttemptOnce(*pupil.Db, a));
        } else {
            QVERIFY_THROWS_EXCEPTION(journal::JournalError, journal::AddAttemptOnce(*pupil.Db, a));
        }
        journal::CloseConnection(*pupil.Db);
        // Refused whole: no attempt without its rows.
        QCOMPARE(ServerCount(), stored ? 1 : 0);
        QCOMPARE(ServerCount("SELECT count(*) FROM attempt_row"),
                 stored ? engine::kAttemptRows : 0);
        if (stored) {
            QVERIFY(Unstamped(*journal::LoadAttempt(*admin_, a.Id)) == a);
        }
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
        QVERIFY(Unstamped(*journal::LoadAttempt(*admin_, stored.Id)) == stored);
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
        QVERIFY(Unstamped(*journal::LoadAttempt(*admin_, stored.Id)) == stored);
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

    // An attempt the server refuses for its content (a name longer than it takes, from a local
    // file edited by hand) stays in the outbox and does not hold back the attempts after it.
    void refusedAttemptDoesNotHoldBackTheOthers()
    {
        QTemporaryDir dir;
        const journal::JournalSettings s = Pupil(dir.path());
        auto refused = SampleAttempt(QString(201, QChar(u'я')));
        refused.Id = "00000000-0000-4000-8000-000000000000"; // first in the sender's order
        const auto fine = SampleAttempt();
        {
            const auto local = journal::OpenSqlite(s.LocalPath);
            QVERIFY2(local.Db, qPrintable(local.Problem));
            // A file edited by hand: its own length check dropped first.
            QVERIFY(QSqlQuery(QSqlDatabase::database(local.Db->Name))
                        .exec("DROP TRIGGER attempt_lengths_insert"));
            journal::SaveAndQueue(*local.Db, refused);
            journal::SaveAndQueue(*local.Db, fine);
            journal::CloseConnection(*local.Db);
        }
        {
            journal::PupilJournal nextStart(s);
            QTRY_COMPARE(nextStart.SentCount(), 1);
            QTRY_VERIFY(ReadAll(s.LogPath).contains("check constraint"));
        }
        QCOMPARE(ServerIds(), std::set<QString>{fine.Id});
        const auto local = journal::OpenSqlite(s.LocalPath);
        QCOMPARE(journal::QueuedIds(*local.Db), QStringList{refused.Id});
        journal::CloseConnection(*local.Db);
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
        QTest::newRow("an option's value with a semicolon")
            << QString(pupil.toString() + "?sslrootcert=/tmp/a%3Bb.crt") << "точки с запятой";
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

    void otherServerSchemaIsRefused_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("says");
        QTest::newRow("newer") << journal::kServerSchemaVersion + 1
                               << "Журнал создан более новой версией программы";
        QTest::newRow("older") << journal::kServerStampsVersion - 1
                               << "postgresql-journal-upgrade-2.sql";
    }

    void otherServerSchemaIsRefused()
    {
        QFETCH(int, version);
        QFETCH(QString, says);
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name))
                    .exec(QString("UPDATE schema_version SET version = %1").arg(version)));
        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name))
                    .exec(QString("UPDATE schema_version SET version = %1")
                              .arg(journal::kServerSchemaVersion)));
        QVERIFY(!teacher.Db);
        QVERIFY2(teacher.Problem.contains(says), qPrintable(teacher.Problem));
    }
};

JOURNAL_TEST_MAIN(TestJournalServer)
#include "tst_journal_server.moc"
