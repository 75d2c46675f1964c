// SPDX-License-Identifier: GPL-3.0-or-later
// The pupil's journal on a real local file: one attempt per run, what is written when, how an
// attempt ends, a test cut off by a killed process found at the next start, and files that are
// damaged or cannot be written (the test goes on).
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/local_outbox.h"
#include "journal/pupil_identity.h"
#include "journal/pupil_journal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using journal_test::RunningAttempt;
using journal_test::SampleAttempt;

namespace {

constexpr auto kNever = std::chrono::hours(1);

journal::JournalSettings LocalOnly(const QString& folder,
                                   std::chrono::milliseconds interval = kNever)
{
    journal::JournalSettings s;
    s.LocalPath = folder + "/journal.sqlite";
    s.LogPath = folder + "/journal.log";
    s.RunningSaveInterval = interval;
    return s;
}

std::vector<journal::StoredAttempt> Stored(const QString& path)
{
    const auto opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        return {};
    }
    auto all = journal::LoadAttempts(*opened.Db, {});
    journal::CloseConnection(*opened.Db);
    return all;
}

QStringList Queued(const QString& path)
{
    const auto opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        return {};
    }
    QStringList ids = journal::QueuedIds(*opened.Db);
    journal::CloseConnection(*opened.Db);
    return ids;
}

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

engine::AttemptRecord Typed(const std::string& whole)
{
    engine::AttemptRecord r = RunningAttempt().Record;
    r.Rows[2].Typed.Whole = whole;
    return r;
}

} // namespace

class TestPupilJournal : public QObject {
    Q_OBJECT

private slots:
    void firstReportMakesTheAttempt()
    {
        QTemporaryDir dir;
        const QDateTime before = QDateTime::currentDateTimeUtc();
        {
            journal::PupilJournal pupilJournal(LocalOnly(dir.path()));
            QVERIFY(pupilJournal.AttemptId().isEmpty());
            pupilJournal.Report(Typed("1"));
            QVERIFY(!QUuid::fromString(pupilJournal.AttemptId()).isNull());
        }
        const QDateTime after = QDateTime::currentDateTimeUtc();
        const auto all = Stored(dir.filePath("journal.sqlite"));
        QCOMPARE(all.size(), 1U);
        const journal::StoredAttempt& a = all.front();
        QCOMPARE(a.Pupil, journal::ThisPupil().Pupil);
        QVERIFY(!a.Pupil.isEmpty());
        QCOMPARE(a.Host, QSysInfo::machineHostName());
        QCOMPARE(a.ProgramVersion, journal::ProgramVersion());
        QVERIFY(a.StartedAt >= before.addMSecs(-1) && a.StartedAt <= after);
        // Closed while running: interrupted, now, with what was typed.
        QCOMPARE(a.Record.End, engine::AttemptEnd::Interrupted);
        QVERIFY(a.EndedAt >= a.StartedAt && a.EndedAt <= after);
        QCOMPARE(a.Record.Rows[2].Typed.Whole, std::string("1"));
        QCOMPARE(Queued(dir.filePath("journal.sqlite")), QStringList{a.Id});
        QFileInfo file(dir.filePath("journal.sqlite"));
        QCOMPARE(int(file.permissions() & (QFile::ReadOther | QFile::ReadGroup)), 0);
    }

    void nothingReportedNothingStored()
    {
        QTemporaryDir dir;
        {
            journal::PupilJournal pupilJournal(LocalOnly(dir.path()));
        }
        QVERIFY(Stored(dir.filePath("journal.sqlite")).empty());
    }

    void namesFromPasswd_data()
    {
        QTest::addColumn<QByteArray>("gecos");
        QTest::addColumn<QByteArray>("login");
        QTest::addColumn<QString>("name");
        QTest::newRow("full name") << QByteArray("Иванова Мария,,,") << QByteArray("masha")
                                   << QStringLiteral("Иванова Мария");
        QTest::newRow("office fields") << QByteArray(" Petrov Ivan ,Room 5,123,")
                                       << QByteArray("ivan") << QStringLiteral("Petrov Ivan");
        QTest::newRow("empty") << QByteArray("") << QByteArray("pupil7")
                               << QStringLiteral("pupil7");
        QTest::newRow("commas only")
            << QByteArray(",,,") << QByteArray("pupil8") << QStringLiteral("pupil8");
    }

    void namesFromPasswd()
    {
        QFETCH(QByteArray, gecos);
        QFETCH(QByteArray, login);
        QFETCH(QString, name);
        QCOMPARE(journal::NameFromPasswd(gecos.constData(), login.constData()), name);
    }

    void runningChangesAreCoalesced()
    {
        QTemporaryDir dir;
        journal::PupilJournal pupilJournal(LocalOnly(dir.path()));
        for (int i = 0; i < 200; ++i) {
            pupilJournal.Report(Typed(std::to_string(i)));
        }
        // The first is written at once; with the interval an hour long the rest wait and only
        // the newest is written, at shutdown.
        QTRY_COMPARE(pupilJournal.LocalSaveCount(), 1);
        QTest::qWait(200);
        QCOMPARE(pupilJournal.LocalSaveCount(), 1);
        pupilJournal.Shutdown();
        QCOMPARE(pupilJournal.LocalSaveCount(), 2);
        const auto all = Stored(dir.filePath("journal.sqlite"));
        QCOMPARE(all.size(), 1U);
        QCOMPARE(all.front().Record.Rows[2].Typed.Whole, std::string("199"));
    }

    void runningChangesAreWrittenAfterTheInterval()
    {
        QTemporaryDir dir;
        journal::PupilJournal pupilJournal(LocalOnly(dir.path(), std::chrono::milliseconds(50)));
        pupilJournal.Report(Typed("a"));
        QTRY_COMPARE(pupilJournal.LocalSaveCount(), 1);
        pupilJournal.Report(Typed("b"));
        QTRY_COMPARE(pupilJournal.LocalSaveCount(), 2);
        const auto all = Stored(dir.filePath("journal.sqlite"));
        QCOMPARE(all.front().Record.Rows[2].Typed.Whole, std::string("b"));
        QCOMPARE(all.front().Record.End, engine::AttemptEnd::Running);
        QVERIFY(!all.front().EndedAt.isValid());
    }

    void endingsAreWrittenAtOnceAndKept_data()
    {
        QTest::addColumn<engine::AttemptEnd>("first");
        QTest::addColumn<engine::AttemptEnd>("later");
        QTest::newRow("hand-in, hand-in")
            << engine::AttemptEnd::HandedIn << engine::AttemptEnd::HandedIn;
        QTest::newRow("time-out, hand-in")
            << engine::AttemptEnd::TimedOut << engine::AttemptEnd::HandedIn;
    }

    void endingsAreWrittenAtOnceAndKept()
    {
        QFETCH(engine::AttemptEnd, first);
        QFETCH(engine::AttemptEnd, later);
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        journal::PupilJournal pupilJournal(LocalOnly(dir.path()));
        pupilJournal.Report(Typed("x"));
        pupilJournal.Report(Typed("y"));
        engine::AttemptRecord ended = SampleAttempt().Record;
        ended.End = first;
        ended.SecondsUsed = first == engine::AttemptEnd::TimedOut ? 600 : 431;
        pupilJournal.Report(ended);
        // Written without waiting for the (hour-long) interval.
        QTRY_VERIFY2(!Stored(path).empty() && Stored(path).front().Record.End == first,
                     qPrintable(ReadAll(dir.filePath("journal.log"))));
        const journal::StoredAttempt firstSaved = Stored(path).front();
        QVERIFY(firstSaved.EndedAt.isValid());

        engine::AttemptRecord again = ended;
        again.End = later;
        again.SecondsUsed = 500;
        again.GradeText = "Отлично";
        again.Mark = 5;
        QTest::qWait(5);
        pupilJournal.Report(again);
        // A tick after the end changes nothing.
        pupilJournal.Report(Typed("after"));
        QTRY_VERIFY(Stored(path).front().Record.Mark == 5);
        pupilJournal.Shutdown();
        const auto all = Stored(path);
        QCOMPARE(all.size(), 1U);
        const journal::StoredAttempt& a = all.front();
        QCOMPARE(a.Id, pupilJournal.AttemptId());
        QCOMPARE(a.Record.End, first);
        QCOMPARE(a.EndedAt, firstSaved.EndedAt);
        QCOMPARE(a.Record.SecondsUsed, ended.SecondsUsed);
        QCOMPARE(a.Record.GradeText, std::string("Отлично"));
        QCOMPARE(a.Record.Rows, ended.Rows);
    }

    void killedProgramsAttemptIsInterruptedAtTheNextStart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/journal_child",
                    {path, "-", "hang", "Набрано 3"});
        QVERIFY(child.waitForReadyRead(10000));
        const QString id = QString::fromUtf8(child.readLine()).trimmed().section(' ', 1);
        QVERIFY(!QUuid::fromString(id).isNull());
        child.kill();
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(Stored(path).front().Record.End, engine::AttemptEnd::Running);

        {
            journal::PupilJournal nextStart(LocalOnly(dir.path()));
        }
        const auto all = Stored(path);
        QCOMPARE(all.size(), 1U);
        const journal::StoredAttempt& a = all.front();
        QCOMPARE(a.Id, id);
        QCOMPARE(a.Record.End, engine::AttemptEnd::Interrupted);
        QCOMPARE(a.Record.Rows[0].Typed.Whole, std::string("Набрано 3"));
        QCOMPARE(a.EndedAt, a.StartedAt.addSecs(42));
        QCOMPARE(Queued(path), QStringList{id});
        QVERIFY(ReadAll(dir.filePath("journal.log")).contains(id));
    }

    // The pupil sees the result box and kills the program at once: the hand-in is on file
    // already, with its mark, and the next start has nothing to mark interrupted.
    void killedAtTheResultKeepsTheHandIn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        for (int round = 0; round < 5; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/journal_child",
                        {path, "-", "result", "1"});
            QVERIFY(child.waitForStarted(10000));
            QByteArray said;
            while (!said.contains("handed in") && child.waitForReadyRead(10000)) {
                said += child.readAll();
            }
            QVERIFY2(said.contains("handed in"), said.constData());
            child.kill();
            QVERIFY(child.waitForFinished(5000));
            {
                journal::PupilJournal nextStart(LocalOnly(dir.path()));
            }
        }
        const auto all = Stored(path);
        QCOMPARE(all.size(), 5U);
        for (const journal::StoredAttempt& a : all) {
            QCOMPARE(a.Record.End, engine::AttemptEnd::HandedIn);
            QCOMPARE(a.Record.Mark, SampleAttempt().Record.Mark);
            QCOMPARE(a.Record.Rows, SampleAttempt().Record.Rows);
        }
    }

    // Thirty digits pasted into a box, or a text far longer: kept cut to the journal's limit,
    // and the log says so once.
    void overLongTypedTextsAreCutAndLogged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        {
            journal::PupilJournal pupilJournal(LocalOnly(dir.path(), std::chrono::milliseconds(1)));
            pupilJournal.Report(Typed(std::string(400000, '7')));
            QTest::qWait(20);
            pupilJournal.Report(Typed(std::string(400001, '7')));
        }
        const auto all = Stored(path);
        QCOMPARE(all.size(), 1U);
        const std::string kept = all.front().Record.Rows[2].Typed.Whole;
        QCOMPARE(QString::fromStdString(kept).size(), journal::kMaxTypedLength);
        QVERIFY(QString::fromStdString(kept).endsWith(QChar(0x2026)));
        const QString log = ReadAll(dir.filePath("journal.log"));
        QCOMPARE(log.count(QStringLiteral("укороченными")), 1);
    }

    void livingProgramsAttemptIsLeftRunning()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/journal_child",
                    {path, "-", "hang", "7"});
        QVERIFY(child.waitForReadyRead(10000));
        {
            journal::PupilJournal secondWindow(LocalOnly(dir.path()));
        }
        QCOMPARE(Stored(path).front().Record.End, engine::AttemptEnd::Running);
        child.kill();
        child.waitForFinished(5000);
    }

    void finishedChildLeavesNoLock()
    {
        QTemporaryDir dir;
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/journal_child",
                    {dir.filePath("journal.sqlite"), "-", "finish", "1"});
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(Stored(dir.filePath("journal.sqlite")).front().Record.End,
                 engine::AttemptEnd::HandedIn);
        QVERIFY(QDir(dir.filePath("journal.sqlite.locks")).isEmpty());
    }

    void unwritableLocalFileLetsTheTestRun_data()
    {
        QTest::addColumn<bool>("readOnlyFile");
        QTest::newRow("read-only file") << true;
        QTest::newRow("folder that cannot be made") << false;
    }

    void unwritableLocalFileLetsTheTestRun()
    {
        QFETCH(bool, readOnlyFile);
        QTemporaryDir dir;
        journal::JournalSettings s = LocalOnly(dir.path());
        if (readOnlyFile) {
            journal::CloseConnection(*journal::OpenSqlite(s.LocalPath).Db);
            QVERIFY(::chmod(QFile::encodeName(s.LocalPath).constData(), 0400) == 0);
        } else {
            QFile blocker(dir.filePath("blocker"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            s.LocalPath = dir.filePath("blocker/journal.sqlite");
        }
        journal::PupilJournal pupilJournal(s);
        pupilJournal.Report(Typed("1"));
        pupilJournal.Report(SampleAttempt().Record);
        pupilJournal.Shutdown();
        QCOMPARE(pupilJournal.LocalSaveCount(), 0);
        const QString log = ReadAll(s.LogPath);
        QVERIFY2(log.count('\n') >= 1 && log.count('\n') <= 3, qPrintable(log));
        QVERIFY2(log.contains(readOnlyFile ? "readonly" : "blocker"), qPrintable(log));
    }

    void silentServerDelaysNothingLocal()
    {
        // Takes connections and never answers, as a hung server does.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QTemporaryDir dir;
        journal::JournalSettings s = LocalOnly(dir.path());
        s.ServerUri = QStringLiteral("postgresql://u:p@127.0.0.1:%1/db").arg(silent.serverPort());
        const QString path = s.LocalPath;
        journal::PupilJournal pupilJournal(s);
        pupilJournal.Report(Typed("1"));
        pupilJournal.Report(SampleAttempt().Record);
        // On file while the sender still waits for the server.
        QTRY_VERIFY(!Stored(path).empty() &&
                    Stored(path).front().Record.End == engine::AttemptEnd::HandedIn);
        QCOMPARE(pupilJournal.SentCount(), 0);
        pupilJournal.Shutdown();
        QCOMPARE(Queued(path), QStringList{pupilJournal.AttemptId()});
        QVERIFY2(ReadAll(s.LogPath).contains(QStringLiteral("не отвечает")),
                 qPrintable(ReadAll(s.LogPath)));
    }

    // PostgreSQL's client library (with OpenSSL, GnuTLS and Kerberos, megabytes) is loaded into
    // a pupil's program only when something answers at the server's address.
    void clientLibraryOnlyForAServerThatAnswers_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing on the port") << false << "libpq not loaded";
        QTest::newRow("a server that takes the connection") << true << "libpq loaded";
    }

    void clientLibraryOnlyForAServerThatAnswers()
    {
        QFETCH(bool, answers);
        QFETCH(QString, expected);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const quint16 port = server.serverPort();
        if (!answers) {
            server.close();
        }
        QTemporaryDir dir;
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/journal_child",
                    {dir.filePath("journal.sqlite"),
                     QStringLiteral("postgresql://u:p@127.0.0.1:%1/db").arg(port), "libraries",
                     "1"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QString said = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(said.contains(expected + '\n'), qPrintable(said));
        // The sender did try the server in both cases.
        QVERIFY2(ReadAll(dir.filePath("journal.log")).contains(QStringLiteral("Сервер журнала")),
                 qPrintable(ReadAll(dir.filePath("journal.log"))));
    }

    void damagedLocalFileIsMovedAside()
    {
        QTemporaryDir dir;
        const journal::JournalSettings s = LocalOnly(dir.path());
        {
            QFile f(s.LocalPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'x'));
        }
        {
            journal::PupilJournal pupilJournal(s);
            pupilJournal.Report(SampleAttempt().Record);
        }
        QCOMPARE(Stored(s.LocalPath).size(), 1U);
        QCOMPARE(QDir(dir.path()).entryList({"journal.sqlite.corrupt-*"}).size(), 1);
        QVERIFY(ReadAll(s.LogPath).contains(QStringLiteral("повреждён")));
    }
};

JOURNAL_TEST_MAIN(TestPupilJournal)
#include "tst_pupil_journal.moc"
