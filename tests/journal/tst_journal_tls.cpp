// SPDX-License-Identifier: GPL-3.0-or-later
// The journal over TLS, on a real PostgreSQL server set up by fraction-test-server-setup (run by
// with-postgres.sh --setup): pupils' computers connect with sslmode=verify-full against the
// certificate the set-up printed (its settings pasted as printed) and send their attempts; a
// computer's own role is stamped on what it sends; the teacher reads over TLS. A certificate from
// elsewhere, a name the certificate does not hold, a missing certificate file or a connection
// without TLS are refused with one Russian line, and a pupil's attempt then waits in the local
// outbox.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_settings.h"
#include "journal/local_outbox.h"
#include "journal/pupil_journal.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using journal_test::RunningAttempt;
using journal_test::SampleAttempt;

namespace {

QString Env(const char* name)
{
    return qEnvironmentVariable(name);
}

// The URI with one query item set to `value`.
QString WithOption(const QString& uri, const QString& key, const QString& value)
{
    QUrl url(uri);
    QUrlQuery query(url);
    query.removeAllQueryItems(key);
    query.addQueryItem(key, value);
    url.setQuery(query);
    return url.toString();
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

journal::JournalSettings Pupil(const QString& folder, const QString& uri)
{
    journal::JournalSettings s;
    s.LocalPath = folder + "/journal.sqlite";
    s.LogPath = folder + "/journal.log";
    s.ServerUri = uri;
    s.MaxRetryWait = std::chrono::seconds(1);
    return s;
}

void TakeTest(journal::PupilJournal& j)
{
    j.Report(RunningAttempt().Record);
    j.Report(SampleAttempt().Record);
}

} // namespace

class TestJournalTls : public QObject {
    Q_OBJECT

    std::optional<journal::Connection> admin_;

    int ServerCount()
    {
        QSqlQuery q(QSqlDatabase::database(admin_->Name));
        return q.exec("SELECT count(*) FROM attempt") && q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void initTestCase()
    {
        if (Env("FRACTION_TEST_ROOT_CERT").isEmpty()) {
            QSKIP("run through with-postgres.sh --setup");
        }
        const auto opened = journal::OpenServer(Env("FRACTION_TEST_ADMIN_URI"));
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        admin_ = opened.Db;
    }

    void init()
    {
        QVERIFY(QSqlQuery(QSqlDatabase::database(admin_->Name)).exec("DELETE FROM attempt"));
    }

    void setupPrintedWhatToCopy()
    {
        const QString printed = ReadAll(Env("FRACTION_TEST_SETUP_OUTPUT"));
        QString certificate = ReadAll(Env("FRACTION_TEST_ROOT_CERT"));
        QVERIFY(certificate.startsWith("-----BEGIN CERTIFICATE-----"));
        certificate.replace("\n", "\n   ");
        QVERIFY2(printed.contains("   " + certificate.trimmed()), qPrintable(printed));
        QVERIFY(printed.contains("server=" + Env("FRACTION_TEST_PUPIL_URI") + "\n"));
        QVERIFY(Env("FRACTION_TEST_PUPIL_URI").contains("sslmode=verify-full"));
    }

    // The settings blocks the set-up printed, pasted as they are into a computer's settings
    // file (and the teacher's password line into a password file): the program reads the
    // address back whole and connects with it.
    void printedSettingsWorkAsPasted_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("role");
        QTest::newRow("a pupil's computer") << 0 << "fraction_pupil";
        QTest::newRow("the teacher's computer") << 1 << "fraction_teacher";
    }

    void printedSettingsWorkAsPasted()
    {
        QFETCH(int, block);
        QFETCH(QString, role);
        const QStringList lines = ReadAll(Env("FRACTION_TEST_SETUP_OUTPUT")).split('\n');
        QStringList blocks;
        QString passwordLine;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            if (lines.at(i).trimmed() == "[journal]") {
                blocks << "[journal]\n" + lines.at(i + 1).trimmed() + "\n";
            }
            if (lines.at(i).trimmed().contains(":fraction_test:fraction_teacher:")) {
                passwordLine = lines.at(i).trimmed() + "\n";
            }
        }
        QCOMPARE(blocks.size(), 2);
        QVERIFY(!passwordLine.isEmpty());

        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath("config/fraction-test")));
        QFile ini(home.filePath("config/fraction-test/fraction-test.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(blocks.at(block).toUtf8());
        ini.close();
        QFile pgpass(home.filePath("pgpass"));
        QVERIFY(pgpass.open(QIODevice::WriteOnly));
        pgpass.write(passwordLine.toUtf8());
        pgpass.close();
        pgpass.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

        qunsetenv("FRACTION_TEST_JOURNAL");
        // Where $XDG_CONFIG_HOME would point; QSettings reads that only once per process.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("config"));
        qputenv("PGPASSFILE", QFile::encodeName(pgpass.fileName()));
        const journal::JournalSettings settings = journal::ConfiguredJournalSettings();
        QVERIFY2(settings.ServerUri.contains("sslmode=verify-full&sslrootcert="),
                 qPrintable(settings.ServerUri));
        QCOMPARE(QUrl(settings.ServerUri).userName(), role);
        const auto opened = journal::OpenServer(settings.ServerUri);
        qunsetenv("PGPASSFILE");
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        journal::CloseConnection(*opened.Db);
    }

    void connectionsAreVerifiedTls_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::newRow("pupils' role") << Env("FRACTION_TEST_PUPIL_URI");
        QTest::newRow("a computer's role") << Env("FRACTION_TEST_COMPUTER_URI");
        QTest::newRow("teacher") << Env("FRACTION_TEST_TEACHER_URI");
    }

    void connectionsAreVerifiedTls()
    {
        QFETCH(QString, uri);
        const auto opened = journal::OpenServer(uri);
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        {
            QSqlQuery q(QSqlDatabase::database(opened.Db->Name));
            QVERIFY2(q.exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()") && q.next(),
                     qPrintable(q.lastError().text()));
            QVERIFY(q.value(0).toBool());
        }
        journal::CloseConnection(*opened.Db);
    }

    void attemptsSentOverTlsCarryTheSendersRole_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("role");
        QTest::newRow("pupils' role") << Env("FRACTION_TEST_PUPIL_URI") << "fraction_pupil";
        QTest::newRow("pc01's own role") << Env("FRACTION_TEST_COMPUTER_URI") << "fraction_pc_pc01";
    }

    void attemptsSentOverTlsCarryTheSendersRole()
    {
        QFETCH(QString, uri);
        QFETCH(QString, role);
        QTemporaryDir dir;
        journal::PupilJournal pupilJournal(Pupil(dir.path(), uri));
        TakeTest(pupilJournal);
        QTRY_COMPARE(pupilJournal.SentCount(), 1);
        pupilJournal.Shutdown();

        const auto teacher = journal::OpenServer(Env("FRACTION_TEST_TEACHER_URI"));
        QVERIFY2(teacher.Db, qPrintable(teacher.Problem));
        const auto there = journal::LoadAttempt(*teacher.Db, pupilJournal.AttemptId());
        journal::CloseConnection(*teacher.Db);
        QVERIFY(there);
        QCOMPARE(there->ReceivedRole, role);
        QVERIFY(there->ReceivedAt.isValid());
        QCOMPARE(there->Record, SampleAttempt().Record);
    }

    void untrustedConnectionsAreRefused_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("says");
        const QString pupil = Env("FRACTION_TEST_PUPIL_URI");
        QTest::newRow("another school's certificate")
            << WithOption(pupil, "sslrootcert", Env("FRACTION_TEST_OTHER_ROOT_CERT"))
            << "не доверяет";
        // Reached at the right address under a name the certificate was not made for.
        QUrl renamed(WithOption(pupil, "hostaddr", "127.0.0.1"));
        renamed.setHost("journal.example.org");
        QTest::newRow("a name not in the certificate") << renamed.toString() << "не доверяет";
        QTest::newRow("no certificate file")
            << WithOption(pupil, "sslrootcert", "/nonexistent/root.crt") << "Нет файла";
        QTest::newRow("without TLS")
            << WithOption(pupil, "sslmode", "disable") << "только защищённые";
    }

    void untrustedConnectionsAreRefused()
    {
        QFETCH(QString, uri);
        QFETCH(QString, says);
        const auto opened = journal::OpenServer(uri);
        QVERIFY(!opened.Db);
        QVERIFY2(opened.Problem.contains(says), qPrintable(opened.Problem));
        QVERIFY(!opened.Problem.contains('\n'));
        QVERIFY(!opened.Problem.contains(QUrl(uri).password()));
    }

    // The attempt waits in the local file and goes once the computer has the right certificate.
    void anotherCertificateKeepsTheAttemptInTheOutbox()
    {
        QTemporaryDir dir;
        const QString pupil = Env("FRACTION_TEST_PUPIL_URI");
        const journal::JournalSettings wrong = Pupil(
            dir.path(), WithOption(pupil, "sslrootcert", Env("FRACTION_TEST_OTHER_ROOT_CERT")));
        QString id;
        {
            journal::PupilJournal pupilJournal(wrong);
            TakeTest(pupilJournal);
            QTRY_VERIFY(ReadAll(wrong.LogPath).contains("не доверяет"));
            QCOMPARE(pupilJournal.SentCount(), 0);
            id = pupilJournal.AttemptId();
        }
        QCOMPARE(ServerCount(), 0);
        {
            const auto local = journal::OpenSqlite(wrong.LocalPath);
            QVERIFY2(local.Db, qPrintable(local.Problem));
            QCOMPARE(journal::QueuedIds(*local.Db), QStringList{id});
            journal::CloseConnection(*local.Db);
        }
        {
            journal::PupilJournal fixed(Pupil(dir.path(), pupil));
            QTRY_COMPARE(fixed.SentCount(), 1);
        }
        const auto there = journal::LoadAttempt(*admin_, id);
        QVERIFY(there);
        QCOMPARE(there->Record, SampleAttempt().Record);
    }
};

JOURNAL_TEST_MAIN(TestJournalTls)
#include "tst_journal_tls.moc"
