// SPDX-License-Identifier: GPL-3.0-or-later
// A real SQLite journal in a temporary folder that a test fills with attempts of its choosing
// through the journal's own SaveAttempt, and the attempts to fill it with.
#pragma once

#include "engine/answer_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "tests/support/genuine_attempt.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <optional>

// A handed-in attempt by `pupil` started at `startedUtc` with `right` of its ten rows answered
// right (rows 0..right-1, the others one too many in the whole part) and judged as the window
// judges them; without `right`, an interrupted attempt that was never judged. Either holds
// together, as an attempt the window reported does.
inline journal::StoredAttempt MakeAttempt(const QString& pupil, const QDateTime& startedUtc,
                                          std::optional<int> right, int secondsUsed = 300)
{
    journal::StoredAttempt a;
    a.Id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.Pupil = pupil;
    a.Host = QStringLiteral("класс-1");
    a.ProgramVersion = QStringLiteral("1.1.0");
    a.StartedAt = startedUtc;
    a.EndedAt = startedUtc.addSecs(secondsUsed);
    const unsigned rightRows = right ? (1U << *right) - 1U : 0x3FFU;
    a.Record = test_support::GenuineAttempt(
        rightRows, 0, 0, right ? engine::AttemptEnd::HandedIn : engine::AttemptEnd::Interrupted);
    a.Record.SecondsUsed = secondsUsed;
    return a;
}

// Today at a fixed local hour, in UTC: tests that sort by time need times that are certainly
// today whatever the hour they run at.
inline QDateTime TodayAt(int hour, int minute = 0)
{
    return QDateTime(QDate::currentDate(), QTime(hour, minute)).toUTC();
}

class JournalFile {
public:
    JournalFile()
    {
        const journal::OpenResult opened = journal::OpenSqlite(Path());
        db = opened.Db;
        problem = opened.Problem;
        // The window only reads what a test wrote: no need to wait for the disk on each write.
        if (db) {
            QSqlQuery(QSqlDatabase::database(db->Name)).exec("PRAGMA synchronous = OFF");
        }
    }
    ~JournalFile()
    {
        if (db) {
            journal::CloseConnection(*db);
        }
    }
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    journal::StoredAttempt Add(const journal::StoredAttempt& a)
    {
        journal::SaveAttempt(*db, a);
        return a;
    }
    QString Path() const { return dir.filePath(QStringLiteral("journal.sqlite")); }

    QTemporaryDir dir;
    std::optional<journal::Connection> db;
    QString problem;
};
