// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the local journal file: created private, migrated forward from the first schema,
// a damaged file moved aside, a newer or foreign file refused untouched, places that cannot be
// written named in the problem.
#include "attempt_samples.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray Digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0) {
        return 0;
    }
    return st.st_mode & 0777;
}

// Runs an SQL script on a file with a plain connection of the test's own.
bool RunScript(const QString& path, const QString& scriptPath)
{
    QFile script(scriptPath);
    if (!script.open(QIODevice::ReadOnly)) {
        return false;
    }
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "script");
        db.setDatabaseName(path);
        ok = db.open();
        QString text;
        for (const QString& line : QString::fromUtf8(script.readAll()).split('\n')) {
            if (!line.startsWith("--")) {
                text += line + '\n';
            }
        }
        for (const QString& statement : text.split(";\n", Qt::SkipEmptyParts)) {
            if (ok && !statement.trimmed().isEmpty()) {
                QSqlQuery q(db);
                ok = q.exec(statement);
                if (!ok) {
                    qWarning() << statement << q.lastError().text();
                }
            }
        }
    }
    QSqlDatabase::removeDatabase("script");
    return ok;
}

} // namespace

class TestJournalDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static int Scalar(const journal::Connection& c, const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(c.Name));
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void newFileIsPrivateInAPrivateFolder()
    {
        ::umask(022);
        const QString folder = dir_.filePath("new/sub");
        const QString path = folder + "/journal.sqlite";
        const auto opened = journal::OpenSqlite(path);
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        QCOMPARE(ModeOf(path), mode_t(0600));
        QCOMPARE(ModeOf(folder), mode_t(0700));
        QCOMPARE(Scalar(*opened.Db, "SELECT max(version) FROM schema_version"),
                 journal::kSqliteSchemaVersion);
        journal::SaveAttempt(*opened.Db, journal_test::SampleAttempt());
        journal::CloseConnection(*opened.Db);
        QCOMPARE(ModeOf(path), mode_t(0600));
    }

    void existingFileLosesOtherUsersRights()
    {
        const QString path = dir_.filePath("shared.sqlite");
        journal::CloseConnection(*journal::OpenSqlite(path).Db);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        const auto opened = journal::OpenSqlite(path);
        QVERIFY(opened.Db);
        QCOMPARE(ModeOf(path), mode_t(0600));
        journal::CloseConnection(*opened.Db);
    }

    // The file holds to the journal's limits whoever writes it: the longest texts go in, one
    // character more is refused.
    void overLongTextsAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("kept");
        for (const auto& [field, limit] : {std::pair{"pupil", journal::kMaxNameLength},
                                           std::pair{"host", journal::kMaxNameLength},
                                           std::pair{"version", journal::kMaxVersionLength},
                                           std::pair{"typed", journal::kMaxTypedLength}}) {
            QTest::addRow("%s at the limit", field) << QString(field) << limit << true;
            QTest::addRow("%s past the limit", field) << QString(field) << limit + 1 << false;
        }
    }
    void overLongTextsAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(bool, kept);
        const auto opened = journal::OpenSqlite(dir_.filePath("limits.sqlite"));
        QVERIFY(opened.Db);
        journal::StoredAttempt a = journal_test::SampleAttempt();
        const QString text(length, QChar(0x0436)); // ж
        if (field == "pupil") {
            a.Pupil = text;
        } else if (field == "host") {
            a.Host = text;
        } else if (field == "version") {
            a.ProgramVersion = text;
        } else {
            a.Record.Rows[3].Typed.Numerator = text.toStdString();
        }
        bool threw = false;
        try {
            journal::SaveAttempt(*opened.Db, a);
        } catch (const journal::JournalError&) {
            threw = true;
        }
        QCOMPARE(threw, !kept);
        QCOMPARE(journal::LoadAttempt(*opened.Db, a.Id).has_value(), kept);
        journal::CloseConnection(*opened.Db);
    }

    void migratesAFirstVersionFile()
    {
        const QString path = dir_.filePath("v1.sqlite");
        QVERIFY(RunScript(path, QFINDTESTDATA("journal-v1.sql")));
        const auto opened = journal::OpenSqlite(path);
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        const journal::Connection& c = *opened.Db;
        QCOMPARE(Scalar(c, "SELECT max(version) FROM schema_version"),
                 journal::kSqliteSchemaVersion);
        QCOMPARE(Scalar(c, "SELECT count(*) FROM schema_version"), 1);
        // The finished attempt waits to be sent; the running one does not.
        QSqlQuery q(QSqlDatabase::database(c.Name));
        QVERIFY(q.exec("SELECT attempt_id FROM outbox"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01"));
        QVERIFY(!q.next());
        q.finish();
        // What was there reads back, and the names written before are found in any case.
        const auto old = journal::LoadAttempt(c, "6f1c1b0e-7c1e-4a57-9d43-2d1f0c3b8a01");
        QVERIFY(old);
        QCOMPARE(old->Pupil, QStringLiteral("СИДОРОВ Олег"));
        QCOMPARE(old->Record.End, engine::AttemptEnd::HandedIn);
        QCOMPARE(old->EndedAt,
                 QDateTime(QDate(2026, 2, 3), QTime(8, 7, 30, 500), QTimeZone::utc()));
        QCOMPARE(old->Record.Rows[1].Key.Numerator, engine::Int16(4));
        QCOMPARE(old->Record.Rows[0].Op, engine::Operation::Divide);
        QCOMPARE(old->Record.Rows[1].Right, std::optional<bool>(false));
        QCOMPARE(old->Record.Rows[1].Typed.Numerator, std::string("4"));
        // Attempts from before classes had ten minutes and no class.
        QCOMPARE(old->Record.SecondsAllowed, 600);
        QCOMPARE(old->ClassName, QString());
        QCOMPARE(journal::LoadAttempts(c, {{}, {}, QStringLiteral("сидоров")}).size(), 2U);
        // New attempts go into the migrated file as into a new one, more time than ten minutes
        // included (the seconds-used check follows the attempt's own time).
        journal::StoredAttempt longer = journal_test::SampleAttempt();
        longer.Record.SecondsAllowed = 900;
        longer.Record.SecondsUsed = 870;
        QSqlQuery direct(QSqlDatabase::database(c.Name));
        QVERIFY(!direct.exec("UPDATE attempt SET seconds_used = 601"));
        journal::SaveAttempt(c, longer);
        QCOMPARE(journal::LoadAttempt(c, longer.Id)->Record.SecondsUsed, 870);
        QCOMPARE(Scalar(c, "SELECT count(*) FROM attempt"), 3);
        journal::CloseConnection(c);
        // Opening again changes nothing more.
        const QByteArray once = Digest(path);
        journal::CloseConnection(*journal::OpenSqlite(path).Db);
        QCOMPARE(Digest(path), once);
    }

    void damagedFileIsMovedAsideAndANewOneBegun_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("this is not a database\n").repeated(200);
        QByteArray header("SQLite format 3");
        header.append('\0');
        header.append(QByteArray(4080, '\xff'));
        QTest::newRow("broken header") << header;
    }

    void damagedFileIsMovedAsideAndANewOneBegun()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const auto opened = journal::OpenSqlite(path);
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        QVERIFY(opened.Problem.contains(QStringLiteral("повреждён")));
        journal::SaveAttempt(*opened.Db, journal_test::SampleAttempt());
        journal::CloseConnection(*opened.Db);
        const QStringList aside = QDir(dir.path()).entryList({"journal.sqlite.corrupt-*"});
        QCOMPARE(aside.size(), 1);
        QVERIFY(opened.Problem.contains(aside.first()));
        QFile kept(dir.filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), content);
        QCOMPARE(ModeOf(path), mode_t(0600));
    }

    void newerJournalIsRefusedAndLeftAlone()
    {
        const QString path = dir_.filePath("newer.sqlite");
        journal::CloseConnection(*journal::OpenSqlite(path).Db);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("UPDATE schema_version SET version = 9"));
        }
        QSqlDatabase::removeDatabase("newer");
        const QByteArray before = Digest(path);
        const auto opened = journal::OpenSqlite(path);
        QVERIFY(!opened.Db);
        QVERIFY2(opened.Problem.startsWith(
                     QStringLiteral("Журнал создан более новой версией программы")),
                 qPrintable(opened.Problem));
        QCOMPARE(Digest(path), before);
        QVERIFY(QDir(dir_.path()).entryList({"newer.sqlite.corrupt-*"}).isEmpty());
    }

    void foreignDatabaseIsRefusedAndLeftAlone()
    {
        const QString path = dir_.filePath("foreign.sqlite");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("CREATE TABLE recipes (name TEXT)"));
        }
        QSqlDatabase::removeDatabase("foreign");
        const QByteArray before = Digest(path);
        const auto opened = journal::OpenSqlite(path);
        QVERIFY(!opened.Db);
        QVERIFY(opened.Problem.contains(QStringLiteral("не журнал")));
        QCOMPARE(Digest(path), before);
    }

    void placesThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("named");
        QTest::newRow("folder under a file") << "file/journal.sqlite"
                                             << "file";
        QTest::newRow("read-only folder") << "locked/journal.sqlite"
                                          << "locked";
    }

    void placesThatCannotBeWritten()
    {
        QFETCH(QString, path);
        QFETCH(QString, named);
        QTemporaryDir dir;
        QFile plain(dir.filePath("file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir("locked"));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("locked")).constData(), 0500) == 0);
        const auto opened = journal::OpenSqlite(dir.filePath(path));
        QVERIFY(!opened.Db);
        QVERIFY2(opened.Problem.contains(named) && opened.Problem.contains(QStringLiteral("прав")),
                 qPrintable(opened.Problem));
        ::chmod(QFile::encodeName(dir.filePath("locked")).constData(), 0700);
    }

    void readOnlyFileReadsButRefusesWrites()
    {
        const QString path = dir_.filePath("readonly.sqlite");
        {
            const auto opened = journal::OpenSqlite(path);
            journal::SaveAttempt(*opened.Db, journal_test::SampleAttempt());
            journal::CloseConnection(*opened.Db);
        }
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0400) == 0);
        const auto opened = journal::OpenSqlite(path);
        QVERIFY2(opened.Db, qPrintable(opened.Problem));
        QCOMPARE(journal::LoadAttempts(*opened.Db, {}).size(), 1U);
        QVERIFY_THROWS_EXCEPTION(journal::JournalError,
                                 journal::SaveAttempt(*opened.Db, journal_test::SampleAttempt()));
        journal::CloseConnection(*opened.Db);
        QCOMPARE(ModeOf(path), mode_t(0400));
    }
};

JOURNAL_TEST_MAIN(TestJournalDatabase)
#include "tst_journal_database.moc"
