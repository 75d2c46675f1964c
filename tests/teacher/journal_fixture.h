// SPDX-License-Identifier: GPL-3.0-or-later
// A real SQLite journal in a temporary folder that a test fills with attempts of its choosing
// through the journal's own SaveAttempt, and the attempts to fill it with.
#pragma once

#include "engine/answer_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <optional>

// A handed-in attempt by `pupil` started at `startedUtc` with `right` of its ten rows judged
// right (rows 0..right-1) and the program's grade for that count; without `right`, an
// interrupted attempt that was never judged.
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
    a.Record.SecondsUsed = secondsUsed;
    for (int i = 0; i < engine::kAttemptRows; ++i) {
        auto& row = a.Record.Rows.at(static_cast<std::size_t>(i));
        row.Op = i % 2 == 0 ? engine::Operation::Multiply : engine::Operation::Divide;
        row.First = {1, 4, 1};  // 1 1/4
        row.Second = {1, 2, 0}; // 1/2
        row.Key = {5, 8, 0};    // 5/8 (as the journal keeps it, not checked here)
        row.Typed = {"", "5", "8"};
        if (right) {
            row.Right = i < *right;
            if (i >= *right) {
                row.Typed = {"1", "3", "4"};
            }
        }
    }
    if (right) {
        a.Record.End = engine::AttemptEnd::HandedIn;
        a.Record.RightCount = *right;
        a.Record.GradeText = engine::GradeFor(static_cast<engine::Int16>(*right));
        a.Record.Mark = a.Record.GradeText.front() - '0';
    } else {
        a.Record.End = engine::AttemptEnd::Interrupted;
    }
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
