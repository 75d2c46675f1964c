// SPDX-License-Identifier: GPL-3.0-or-later
// Upgrading a classroom server's journal from schema version 1 to 2 on a real PostgreSQL server
// that with-postgres.sh starts with the first version's tables: the program refuses the old
// journal and names the upgrade, the upgrade keeps every attempt as it was (an over-long one
// too) with empty stamps, and afterwards the server stamps and bounds what pupils add. A second
// run of the upgrade is refused and changes nothing.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

using journal_test::RunningAttempt;
using journal_test::SampleAttempt;

namespace {

QString Uri(const char* role)
{
    return qEnvironmentVariable(role);
}

// Runs the upgrade as the server's superuser; gives psql's exit status and what it said.
std::pair<int, QString> RunUpgrade()
{
    QProcess psql;
    psql.setProcessChannelMode(QProcess::MergedChannels);
    psql.start("psql",
               {"-X", "-q", "-d", Uri("FRACTION_TEST_ADMIN_URI"), "-f", FRACTION_TEST_UPGRADE_SQL});
    if (!psql.waitForFinished(60000)) {
        return {-1, psql.errorString()};
    }
    return {psql.exitStatus() == QProcess::NormalExit ? psql.exitCode() : -1,
            QString::fromUtf8(psql.readAll())};
}

} // namespace

class TestServerUpgrade : public QObject {
    Q_OBJECT

    // The superuser's connection made by hand: the program itself no longer opens a version-1
    // journal, yet its attempt store writes the columns both versions have.
    std::optional<journal::Connection> admin_;
    std::vector<journal::StoredAttempt> before_;

    int Count(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(admin_->Name));
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void initTestCase()
    {
        if (Uri("FRACTION_TEST_ADMIN_URI").isEmpty()) {
            QSKIP("run through with-postgres.sh with server-journal-v1.sql");
        }
        const QUrl url(Uri("FRACTION_TEST_ADMIN_URI"));
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "upgrade-admin");
        db.setHostName(url.host());
        db.setPort(url.port());
        db.setDatabaseName(url.path().mid(1));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        admin_ = journal::Connection{"upgrade-admin", journal::Backend::Postgres};
        QCOMPARE(Count("SELECT max(version) FROM schema_version"), 1);
    }

    void programRefusesTheOldJournal()
    {
        before_ = {SampleAttempt(), RunningAttempt("Ёлкин Илья"),
                   SampleAttempt(QString(300, QChar(u'я')))};
        for (const auto& a : before_) {
            journal::SaveAttempt(*admin_, a);
        }
        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY(!teacher.Db);
        QVERIFY2(teacher.Problem.contains("postgresql-journal-upgrade-2.sql"),
                 qPrintable(teacher.Problem));
    }

    void upgradeKeepsEveryAttempt()
    {
        const auto [status, said] = RunUpgrade();
        QVERIFY2(status == 0, qPrintable(said));
        QCOMPARE(Count("SELECT max(version) FROM schema_version"), 2);

        const auto teacher = journal::OpenServer(Uri("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        for (const auto& a : before_) {
            const auto there = journal::LoadAttempt(*teacher.Db, a.Id);
            QVERIFY(there);
            // Unchanged, and no stamp made up for what came before the server kept them.
            QVERIFY(*there == a);
        }
        journal::CloseConnection(*teacher.Db);
    }

    void afterTheUpgradeTheServerStampsAndBounds()
    {
        const auto pupil = journal::OpenServer(Uri("FRACTION_TEST_PUPIL_URI"));
        QVERIFY2(pupil.Db, qPrintable(pupil.Problem));
        const auto fresh = SampleAttempt("Новикова Нина");
        QVERIFY(journal::AddAttemptOnce(*pupil.Db, fresh));
        QVERIFY_THROWS_EXCEPTION(
            journal::JournalError,
            journal::AddAttemptOnce(*pupil.Db, SampleAttempt(QString(201, QChar(u'я')))));
        {
            QSqlQuery q(QSqlDatabase::database(pupil.Db->Name));
            QVERIFY(!q.exec(QString("INSERT INTO attempt (id, pupil, host, program_version, "
                                    "started_at, seconds_used, ending, received_role) VALUES "
                                    "('%1', 'x', 'pc', '1', now(), 1, 'running', 'teacher')")
                                .arg(journal::NewAttemptId())));
            QVERIFY2(q.lastError().text().contains("permission denied"),
                     qPrintable(q.lastError().text()));
        }
        journal::CloseConnection(*pupil.Db);

        const auto there = journal::LoadAttempt(*admin_, fresh.Id);
        QVERIFY(there);
        QCOMPARE(there->ReceivedRole, "fraction_pupil");
        QCOMPARE(there->ReceivedFrom, "127.0.0.1");
        QVERIFY(there->ReceivedAt.isValid());
        QCOMPARE(Count("SELECT count(*) FROM attempt"), int(before_.size()) + 1);
    }

    void secondUpgradeIsRefused()
    {
        const int attempts = Count("SELECT count(*) FROM attempt");
        const auto [status, said] = RunUpgrade();
        QVERIFY(status != 0);
        QVERIFY2(said.contains("version 2"), qPrintable(said));
        QCOMPARE(Count("SELECT max(version) FROM schema_version"), 2);
        QCOMPARE(Count("SELECT count(*) FROM attempt"), attempts);
    }
};

JOURNAL_TEST_MAIN(TestServerUpgrade)
#include "tst_server_upgrade.moc"
