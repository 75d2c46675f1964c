// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/local_schema.h"

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/sql_helpers.h"
#include "journal/stored_attempt.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <functional>
#include <vector>

namespace journal {

namespace {

const QString kReadFailed = QStringLiteral("Не удалось прочитать журнал");
const QString kUpgradeFailed = QStringLiteral("Не удалось обновить журнал до новой версии");

// The same tables and columns as the server's, in SQLite's types: ids and texts TEXT, times
// TEXT (UTC, ISO 8601 with milliseconds and 'Z'), verdicts INTEGER 0/1/NULL.
const char* const kFirstSchema[] = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "INSERT INTO schema_version (version) VALUES (1)",
    "CREATE TABLE attempt ("
    " id TEXT PRIMARY KEY,"
    " pupil TEXT NOT NULL,"
    " host TEXT NOT NULL,"
    " program_version TEXT NOT NULL,"
    " started_at TEXT NOT NULL,"
    " ended_at TEXT,"
    " seconds_used INTEGER NOT NULL CHECK (seconds_used BETWEEN 0 AND 600),"
    " ending TEXT NOT NULL"
    "  CHECK (ending IN ('running', 'handed_in', 'timed_out', 'interrupted')),"
    " right_count INTEGER CHECK (right_count BETWEEN 0 AND 10),"
    " grade_text TEXT,"
    " mark INTEGER CHECK (mark BETWEEN 2 AND 5))",
    "CREATE TABLE attempt_row ("
    " attempt_id TEXT NOT NULL REFERENCES attempt (id) ON DELETE CASCADE,"
    " row_no INTEGER NOT NULL CHECK (row_no BETWEEN 0 AND 9),"
    " operation INTEGER NOT NULL CHECK (operation IN (1, 2)),"
    " first_whole INTEGER NOT NULL,"
    " first_numerator INTEGER NOT NULL,"
    " first_denominator INTEGER NOT NULL,"
    " second_whole INTEGER NOT NULL,"
    " second_numerator INTEGER NOT NULL,"
    " second_denominator INTEGER NOT NULL,"
    " key_whole INTEGER NOT NULL,"
    " key_numerator INTEGER NOT NULL,"
    " key_denominator INTEGER NOT NULL,"
    " typed_whole TEXT NOT NULL,"
    " typed_numerator TEXT NOT NULL,"
    " typed_denominator TEXT NOT NULL,"
    " verdict INTEGER CHECK (verdict IN (0, 1)),"
    " PRIMARY KEY (attempt_id, row_no))",
};

void RunAll(const QSqlDatabase& db, const std::vector<QString>& statements)
{
    for (const QString& sql : statements) {
        RunSql(db, sql, {}, kUpgradeFailed);
    }
}

// Version 2: the outbox, the folded names, the index on start times.
void MigrateToSecond(const QSqlDatabase& db)
{
    RunAll(db, {
                   QStringLiteral("ALTER TABLE attempt ADD COLUMN pupil_folded TEXT NOT NULL "
                                  "DEFAULT ''"),
                   QStringLiteral("CREATE INDEX attempt_started_at ON attempt (started_at)"),
                   // One line per attempt that a configured server does not have yet.
                   QStringLiteral("CREATE TABLE outbox ("
                                  " attempt_id TEXT PRIMARY KEY"
                                  "  REFERENCES attempt (id) ON DELETE CASCADE,"
                                  " queued_at TEXT NOT NULL)"),
               });
    // SQLite cannot fold Cyrillic, so the names are folded here, one by one.
    QSqlQuery names =
        RunSql(db, QStringLiteral("SELECT id, pupil FROM attempt"), {}, kUpgradeFailed);
    std::vector<std::pair<QString, QString>> folded;
    while (names.next()) {
        folded.emplace_back(names.value(0).toString(), FoldedName(names.value(1).toString()));
    }
    ThrowIfFailed(names, kUpgradeFailed);
    names.finish();
    QSqlQuery update(db);
    if (!update.prepare(QStringLiteral("UPDATE attempt SET pupil_folded = ? WHERE id = ?"))) {
        ThrowSqlError(kUpgradeFailed, update.lastError().text());
    }
    for (const auto& [id, name] : folded) {
        RunPrepared(update, {name, id}, kUpgradeFailed);
    }
    // Nothing of a version-1 journal was ever sent: every finished attempt waits to go.
    RunSql(db,
           QStringLiteral("INSERT INTO outbox (attempt_id, queued_at)"
                          " SELECT id, ? FROM attempt WHERE ending <> 'running'"),
           {StorageTimeText(QDateTime::currentDateTimeUtc())}, kUpgradeFailed);
}

// Version 3: the lengths the journal keeps. SQLite cannot add a CHECK to a table, so triggers
// refuse what a CHECK would: the program cuts its texts before writing, and anything else that
// writes the file is held to the same limits.
void MigrateToThird(const QSqlDatabase& db)
{
    const QString attemptTooLong = QStringLiteral("length(NEW.pupil) > %1 OR length(NEW.host) > %1"
                                                  " OR length(NEW.program_version) > %2"
                                                  " OR length(NEW.grade_text) > %3")
                                       .arg(kMaxNameLength)
                                       .arg(kMaxVersionLength)
                                       .arg(kMaxGradeTextLength);
    const QString rowTooLong = QStringLiteral("length(NEW.typed_whole) > %1"
                                              " OR length(NEW.typed_numerator) > %1"
                                              " OR length(NEW.typed_denominator) > %1")
                                   .arg(kMaxTypedLength);
    std::vector<QString> triggers;
    for (const auto& [table, tooLong] : {std::pair{QStringLiteral("attempt"), attemptTooLong},
                                         std::pair{QStringLiteral("attempt_row"), rowTooLong}}) {
        for (const QString& event : {QStringLiteral("INSERT"), QStringLiteral("UPDATE")}) {
            triggers.push_back(QStringLiteral("CREATE TRIGGER %1_lengths_%2 BEFORE %3 ON %1"
                                              " WHEN %4"
                                              " BEGIN SELECT RAISE(ABORT, 'text too long'); END")
                                   .arg(table, event.toLower(), event, tooLong));
        }
    }
    RunAll(db, triggers);
}

// Version 4: the roster, and each attempt's class, roster pupil and time allowed. SQLite cannot
// change a CHECK either: the seconds-used one is rewritten in the table's stored definition (the
// way SQLite's own documentation gives for changing a constraint), which leaves every row as it
// is and needs no copy of the table.
void MigrateToFourth(const QSqlDatabase& db)
{
    RunAll(db,
           {
               QStringLiteral("CREATE TABLE school_class ("
                              " id TEXT PRIMARY KEY,"
                              " name TEXT NOT NULL CHECK (length(name) BETWEEN 1 AND %1),"
                              " school_year TEXT NOT NULL CHECK (length(school_year) <= 20),"
                              " archived INTEGER NOT NULL DEFAULT 0 CHECK (archived IN (0, 1)),"
                              " minutes INTEGER CHECK (minutes BETWEEN %2 AND %3),"
                              " UNIQUE (name, school_year))")
                   .arg(kMaxClassNameLength)
                   .arg(kMinSecondsAllowed / 60)
                   .arg(kMaxSecondsAllowed / 60),
               QStringLiteral("CREATE TABLE roster_pupil ("
                              " id TEXT PRIMARY KEY,"
                              " class_id TEXT NOT NULL REFERENCES school_class (id),"
                              " surname TEXT NOT NULL CHECK (length(surname) BETWEEN 1 AND %1),"
                              " first_name TEXT NOT NULL"
                              "  CHECK (length(first_name) BETWEEN 1 AND %1),"
                              " logins TEXT NOT NULL DEFAULT '' CHECK (length(logins) <= %2),"
                              " minutes INTEGER CHECK (minutes BETWEEN %3 AND %4))")
                   .arg(kMaxPersonNameLength)
                   .arg(kMaxNameLength)
                   .arg(kMinSecondsAllowed / 60)
                   .arg(kMaxSecondsAllowed / 60),
               QStringLiteral("CREATE INDEX roster_pupil_class ON roster_pupil (class_id)"),
               QStringLiteral("ALTER TABLE attempt ADD COLUMN class_name TEXT NOT NULL DEFAULT ''"
                              " CHECK (length(class_name) <= %1)")
                   .arg(kMaxClassNameLength),
               QStringLiteral("ALTER TABLE attempt ADD COLUMN pupil_id TEXT"),
               QStringLiteral("ALTER TABLE attempt ADD COLUMN seconds_allowed INTEGER NOT NULL"
                              " DEFAULT 600 CHECK (seconds_allowed BETWEEN %1 AND %2)")
                   .arg(kMinSecondsAllowed)
                   .arg(kMaxSecondsAllowed),
               QStringLiteral("CREATE INDEX attempt_class_name ON attempt (class_name)"),
           });
    const QString fixed = QStringLiteral("CHECK (seconds_used BETWEEN 0 AND 600)");
    QSqlQuery schemaVersion =
        RunSql(db, QStringLiteral("PRAGMA schema_version"), {}, kUpgradeFailed);
    const int before = schemaVersion.next() ? schemaVersion.value(0).toInt() : 0;
    schemaVersion.finish();
    RunSql(db, QStringLiteral("PRAGMA writable_schema = ON"), {}, kUpgradeFailed);
    QSqlQuery rewrite =
        RunSql(db,
               QStringLiteral("UPDATE sqlite_master SET sql = replace(sql, ?, ?)"
                              " WHERE type = 'table' AND name = 'attempt' AND instr(sql, ?) > 0"),
               {fixed, QStringLiteral("CHECK (seconds_used BETWEEN 0 AND seconds_allowed)"), fixed},
               kUpgradeFailed);
    const int rewritten = rewrite.numRowsAffected();
    rewrite.finish();
    // A new schema_version tells every connection to read the changed definition.
    RunSql(db, QStringLiteral("PRAGMA schema_version = %1").arg(before + 1), {}, kUpgradeFailed);
    RunSql(db, QStringLiteral("PRAGMA writable_schema = OFF"), {}, kUpgradeFailed);
    if (rewritten != 1) {
        ThrowSqlError(kUpgradeFailed,
                      QStringLiteral("в таблице attempt нет ожидаемого ограничения seconds_used"));
    }
}

} // namespace

std::optional<int> LocalSchemaVersion(const QSqlDatabase& db)
{
    QSqlQuery tables = RunSql(
        db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {}, kReadFailed);
    QStringList names;
    while (tables.next()) {
        names << tables.value(0).toString();
    }
    ThrowIfFailed(tables, kReadFailed);
    if (names.isEmpty()) {
        return 0;
    }
    if (!names.contains(QStringLiteral("schema_version")) ||
        !names.contains(QStringLiteral("attempt"))) {
        return std::nullopt;
    }
    QSqlQuery version =
        RunSql(db, QStringLiteral("SELECT max(version) FROM schema_version"), {}, kReadFailed);
    if (!version.next()) {
        ThrowIfFailed(version, kReadFailed);
        return std::nullopt;
    }
    if (version.value(0).isNull()) {
        return std::nullopt;
    }
    return version.value(0).toInt();
}

void CreateFirstLocalSchema(const QSqlDatabase& db)
{
    for (const char* sql : kFirstSchema) {
        RunSql(db, QString::fromUtf8(sql), {}, kUpgradeFailed);
    }
}

void MigrateLocalSchema(const QSqlDatabase& db, int from)
{
    // steps[i] takes a journal from version i + 1 to version i + 2.
    const std::vector<std::function<void(const QSqlDatabase&)>> steps = {
        MigrateToSecond, MigrateToThird, MigrateToFourth};
    static_assert(kSqliteSchemaVersion == 4, "every schema version needs its migration step");
    for (int version = from; version < kSqliteSchemaVersion; ++version) {
        steps.at(static_cast<std::size_t>(version - 1))(db);
        RunSql(db, QStringLiteral("UPDATE schema_version SET version = ?"), {version + 1},
               kUpgradeFailed);
    }
}

} // namespace journal
