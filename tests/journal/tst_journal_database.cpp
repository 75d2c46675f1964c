// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the local journal file: created private, migrated forward from the first schema,
// a damaged file moved aside, a newer or foreign file refused untouched, places that cannot be
// written named in the problem. Opening it for reading changes nothing; reading it checks every
// value and every step, and the teacher's delete writes through a connection of its own.
#include "attempt_samples.h"
#include "damaged_journal.h"
#include "unprivileged.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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

// Every file under `folder` (the folder itself included) with its owner and mode, without the
// files SQLite keeps beside a journal while it is open.
QStringList Listing(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    QStringList paths = {folder};
    while (it.hasNext()) {
        paths << it.next();
    }
    for (const QString& path : paths) {
        struct stat st {};
        if (lstat(QFile::encodeName(path).constData(), &st) != 0) {
            lines << path + " ?";
            continue;
        }
        if (path.endsWith("-wal") || path.endsWith("-shm")) {
            continue;
        }
        lines << QStringLiteral("%1 %2 %3").arg(path).arg(st.st_uid).arg(st.st_mode & 07777, 0, 8);
    }
    lines.sort();
    return lines;
}

// The files SQLite keeps beside `path` that do not belong to the journal's owner.
QStringList SideFilesOfOthers(const QString& path)
{
    struct stat journal {};
    if (stat(QFile::encodeName(path).constData(), &journal) != 0) {
        return {};
    }
    QStringList others;
    for (const char* side : {"-wal", "-shm", "-journal"}) {
        struct stat st {};
        const QByteArray sidePath = QFile::encodeName(path) + side;
        if (lstat(sidePath.constData(), &st) == 0 && st.st_uid != journal.st_uid) {
            others << QString::fromLocal8Bit(sidePath);
        }
    }
    return others;
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
    // A reader opens read-only: whatever the file is, it is left exactly as it was, modes,
    // owners and folder included, and is never made a journal or moved aside.
    void readingChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("says");
        QTest::newRow("shared journal, mode 0660") << "shared" << true << "";
        QTest::newRow("link to a journal of mode 0640") << "link" << true << "";
        QTest::newRow("another program's database") << "foreign" << false << "не журнал";
        QTest::newRow("empty file") << "empty" << false << "нет таблиц журнала";
        QTest::newRow("first-version journal") << "v1" << false << "прежней версией";
        QTest::newRow("damaged header") << "damaged" << false << "повреждён";
        QTest::newRow("no file") << "missing" << false << "ещё нет";
    }

    void readingChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QFETCH(QString, says);
        ::umask(022);
        QTemporaryDir dir;
        const QString folder = dir.filePath("shared");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0770) == 0);
        const QString file = folder + "/journal.sqlite";
        QString opened = file;
        if (kind == "shared" || kind == "link") {
            QVERIFY(journal_test::FillJournal(file, 2));
            QVERIFY(::chmod(QFile::encodeName(file).constData(), kind == "link" ? 0640 : 0660) ==
                    0);
            if (kind == "link") {
                opened = dir.filePath("link.sqlite");
                QVERIFY(QFile::link(file, opened));
            }
        } else if (kind == "foreign") {
            QCOMPARE(journal_test::RunUnchecked(file, {"CREATE TABLE recipes (name TEXT)"}),
                     QString());
        } else if (kind == "empty") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (kind == "v1") {
            QVERIFY(RunScript(file, QFINDTESTDATA("journal-v1.sql")));
        } else if (kind == "damaged") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("SQLite format 3") + '\0' + QByteArray(4080, '\xff'));
        }
        const QStringList before = Listing(dir.path());
        const QByteArray digest = Digest(file);

        const journal::OpenResult result = journal::OpenSqliteForReading(opened);
        QCOMPARE(bool(result.Db), opens);
        QVERIFY2(result.Problem.contains(says), qPrintable(result.Problem));
        if (result.Db) {
            QVERIFY(journal::IsReadOnly(*result.Db));
            QCOMPARE(journal::LoadAttempts(*result.Db, {}).size(), 2U);
            QVERIFY_THROWS_EXCEPTION(
                journal::JournalError,
                journal::SaveAttempt(*result.Db, journal_test::SampleAttempt()));
            journal::CloseConnection(*result.Db);
        }
        QCOMPARE(Listing(dir.path()), before);
        QCOMPARE(Digest(file), digest);
        QCOMPARE(SideFilesOfOthers(file), QStringList());
    }

    // The teacher's window says where the pupil's program put a damaged journal.
    void readerNamesAJournalSetAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a database\n");
        }
        const auto writer = journal::OpenSqlite(path);
        QVERIFY(writer.Db);
        journal::SaveAttempt(*writer.Db, journal_test::SampleAttempt());
        journal::CloseConnection(*writer.Db);
        const QStringList aside = QDir(dir.path()).entryList({"journal.sqlite.corrupt-*"});
        QCOMPARE(aside.size(), 1);
        const auto reader = journal::OpenSqliteForReading(path);
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        QVERIFY2(reader.Problem.contains(dir.filePath(aside.first())), qPrintable(reader.Problem));
        QCOMPARE(journal::LoadAttempts(*reader.Db, {}).size(), 1U);
        journal::CloseConnection(*reader.Db);
    }

    // A damaged page in the middle: reading stops with an error, never with part of the list.
    void damagedPageIsAnError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QVERIFY(journal_test::FillJournal(path, 300));
        QVERIFY(journal_test::DamageMiddlePages(path));
        const auto reader = journal::OpenSqliteForReading(path);
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        try {
            const auto all = journal::LoadAttempts(*reader.Db, {});
            QFAIL(qPrintable(QStringLiteral("read %1 attempts without an error").arg(all.size())));
        } catch (const journal::JournalError& error) {
            QVERIFY2(QString::fromUtf8(error.what()).startsWith("Не удалось прочитать"),
                     error.what());
        }
        journal::CloseConnection(*reader.Db);
    }

    // What a pupil's own edit of the file can store: each is an error that names the attempt
    // and the column, never a row filled in with defaults.
    void storedNonsenseIsAnError_data()
    {
        QTest::addColumn<QString>("notNullDropped"); // the table, or empty
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown operation")
            << ""
            << "UPDATE attempt_row SET operation = 3 WHERE row_no = 4"
            << "operation";
        QTest::newRow("unknown ending") << ""
                                        << "UPDATE attempt SET ending = 'won'"
                                        << "ending";
        QTest::newRow("mark out of range") << ""
                                           << "UPDATE attempt SET mark = 9"
                                           << "mark";
        QTest::newRow("fraction beyond 16 bits")
            << ""
            << "UPDATE attempt_row SET key_numerator = 70000 WHERE row_no = 2"
            << "key_numerator";
        QTest::newRow("text for a number")
            << ""
            << "UPDATE attempt_row SET first_whole = 'x' WHERE row_no = 0"
            << "first_whole";
        QTest::newRow("fractional number")
            << ""
            << "UPDATE attempt_row SET second_denominator = 2.5 WHERE row_no = 9"
            << "second_denominator";
        QTest::newRow("verdict neither 0 nor 1")
            << ""
            << "UPDATE attempt_row SET verdict = 2 WHERE row_no = 1"
            << "verdict";
        QTest::newRow("start not a time") << ""
                                          << "UPDATE attempt SET started_at = 'вчера'"
                                          << "started_at";
        QTest::newRow("missing row") << ""
                                     << "DELETE FROM attempt_row WHERE row_no = 7"
                                     << "нет задания 8";
        QTest::newRow("NULL operation")
            << "attempt_row"
            << "UPDATE attempt_row SET operation = NULL WHERE row_no = 3"
            << "operation";
        QTest::newRow("NULL typed text")
            << "attempt_row"
            << "UPDATE attempt_row SET typed_numerator = NULL WHERE row_no = 6"
            << "typed_numerator";
        QTest::newRow("NULL pupil") << "attempt"
                                    << "UPDATE attempt SET pupil = NULL"
                                    << "pupil";
    }

    void storedNonsenseIsAnError()
    {
        QFETCH(QString, notNullDropped);
        QFETCH(QString, edit);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QVERIFY(journal_test::FillJournal(path, 1));
        if (!notNullDropped.isEmpty()) {
            QCOMPARE(journal_test::RunUnchecked(path, journal_test::WithoutNotNull(notNullDropped)),
                     QString());
        }
        QCOMPARE(journal_test::RunUnchecked(path, {edit}), QString());
        const auto reader = journal::OpenSqliteForReading(path);
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        QSqlQuery q(QSqlDatabase::database(reader.Db->Name));
        QVERIFY(q.exec("SELECT id FROM attempt") && q.next());
        const QString id = q.value(0).toString();
        q.finish();
        for (const bool one : {false, true}) {
            try {
                if (one) {
                    journal::LoadAttempt(*reader.Db, id);
                } else {
                    journal::LoadAttempts(*reader.Db, {});
                }
                QFAIL("read without an error");
            } catch (const journal::JournalError& error) {
                const QString text = QString::fromUtf8(error.what());
                QVERIFY2(text.contains(id) && text.contains(named), qPrintable(text));
            }
        }
        journal::CloseConnection(*reader.Db);
    }

    // The teacher's delete on a journal opened for reading writes through a connection made for
    // it alone; an id that is not a UUID is deleted like any other; a file that cannot be
    // written says so.
    void deleteFromAReader_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("deleted"); // -1: refused
        QTest::newRow("a UUID") << "" << 0640 << 1;
        QTest::newRow("not a UUID") << "=HYPERLINK(\"x\")" << 0640 << 1;
        QTest::newRow("a file that cannot be written") << "" << 0440 << -1;
    }

    void deleteFromAReader()
    {
        QFETCH(QString, id);
        QFETCH(int, mode);
        QFETCH(int, deleted);
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.sqlite");
        QVERIFY(journal_test::FillJournal(path, 2));
        if (!id.isEmpty()) {
            QCOMPARE(journal_test::RunUnchecked(
                         path, {QStringLiteral("UPDATE attempt_row SET attempt_id = '%1' WHERE "
                                               "attempt_id = (SELECT min(id) FROM attempt)")
                                    .arg(QString(id).replace("'", "''")),
                                QStringLiteral("UPDATE attempt SET id = '%1' WHERE id = "
                                               "(SELECT min(id) FROM attempt)")
                                    .arg(QString(id).replace("'", "''"))}),
                     QString());
        }
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
        const auto reader = journal::OpenSqliteForReading(path);
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        const auto before = journal::LoadAttempts(*reader.Db, {});
        QCOMPARE(before.size(), 2U);
        const QString target = id.isEmpty() ? before.front().Id : id;
        QVERIFY(journal::LoadAttempt(*reader.Db, target));
        if (deleted < 0) {
            try {
                journal::DeleteAttempts(*reader.Db, {target});
                QFAIL("deleted from a file that cannot be written");
            } catch (const journal::JournalError& error) {
                QVERIFY2(QString::fromUtf8(error.what()).startsWith("Не удалось удалить"),
                         error.what());
            }
            QCOMPARE(journal::LoadAttempts(*reader.Db, {}).size(), 2U);
        } else {
            QCOMPARE(journal::DeleteAttempts(*reader.Db, {target}), deleted);
            QCOMPARE(journal::LoadAttempts(*reader.Db, {}).size(), 1U);
            QVERIFY(!journal::LoadAttempt(*reader.Db, target));
        }
        QVERIFY(journal::IsReadOnly(*reader.Db));
        journal::CloseConnection(*reader.Db);
        QCOMPARE(ModeOf(path), mode_t(mode));
    }
};

JOURNAL_TEST_MAIN(TestJournalDatabase)
#include "tst_journal_database.moc"
