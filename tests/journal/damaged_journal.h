// SPDX-License-Identifier: GPL-3.0-or-later
// Journal files for the tests of what reading does with faults: one filled with enough attempts
// to span many pages and then damaged in its middle (its first page, and so its list of tables,
// intact), and plain SQL run on a file past the journal's own checks, as a pupil editing the
// file by hand would.
//
// It does not check anything itself; the tests do.
#pragma once

#include "attempt_samples.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace journal_test {

// Writes `count` attempts into a new journal at `path` and closes it (its log written back into
// the file). Gives false when that failed.
inline bool FillJournal(const QString& path, int count)
{
    const journal::OpenResult opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        return false;
    }
    // Only the contents matter here, not their safety on disk.
    QSqlQuery(QSqlDatabase::database(opened.Db->Name)).exec("PRAGMA synchronous = OFF");
    for (int i = 0; i < count; ++i) {
        journal::StoredAttempt a = SampleAttempt(QStringLiteral("Ученик %1").arg(i));
        a.StartedAt = a.StartedAt.addSecs(i);
        journal::SaveAttempt(*opened.Db, a);
    }
    journal::CloseConnection(*opened.Db);
    return true;
}

// Overwrites four pages in the middle of the file with text, as a failing disk or a stray write
// would. Gives false when the file is too small for that or cannot be written.
inline bool DamageMiddlePages(const QString& path)
{
    constexpr qint64 kPage = 4096;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.size() < 16 * kPage) {
        return false;
    }
    const qint64 middle = file.size() / 2 / kPage * kPage;
    const QByteArray garbage = QByteArray("not a page of a journal ").repeated(4 * kPage / 24 + 1);
    return file.seek(middle) && file.write(garbage.left(4 * kPage)) == 4 * kPage && file.flush();
}

// Runs statements on the file with a plain connection, its CHECK constraints and foreign keys
// off (a pupil's own SQLite shell can do the same). Gives the first error, empty when all ran.
inline QString RunUnchecked(const QString& path, const QStringList& statements)
{
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "unchecked");
        db.setDatabaseName(path);
        if (!db.open()) {
            problem = db.lastError().text();
        }
        const QStringList all =
            QStringList{"PRAGMA ignore_check_constraints = ON", "PRAGMA foreign_keys = OFF"} +
            statements;
        for (const QString& sql : all) {
            QSqlQuery q(db);
            if (problem.isEmpty() && !q.exec(sql)) {
                problem = sql + ": " + q.lastError().text();
            }
        }
    }
    QSqlDatabase::removeDatabase("unchecked");
    return problem;
}

// Drops the NOT NULL constraints of a table, as a pupil rewriting the file's schema can.
inline QStringList WithoutNotNull(const QString& table)
{
    return {"PRAGMA writable_schema = ON",
            QStringLiteral("UPDATE sqlite_master SET sql = replace(sql, 'NOT NULL', '') "
                           "WHERE name = '%1'")
                .arg(table),
            "PRAGMA writable_schema = OFF"};
}

} // namespace journal_test
