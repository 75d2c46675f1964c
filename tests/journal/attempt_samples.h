// SPDX-License-Identifier: GPL-3.0-or-later
// Attempts for the journal's tests: a finished one with every field set to something that
// tells the fields apart, and the changes the tests make to it.
#pragma once

#include "journal/stored_attempt.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace journal_test {

// Every row different, every fraction part different, typed texts with Cyrillic, quotes and
// commas, a mix of verdicts.
inline journal::StoredAttempt SampleAttempt(const QString& pupil = QStringLiteral("Петрова Анна"))
{
    journal::StoredAttempt a;
    a.Id = journal::NewAttemptId();
    a.Pupil = pupil;
    a.Host = QStringLiteral("class-pc-07");
    a.ProgramVersion = QStringLiteral("1.1.0");
    a.StartedAt = QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7, 250), QTimeZone::utc());
    a.EndedAt = a.StartedAt.addSecs(431).addMSecs(120);
    engine::AttemptRecord& r = a.Record;
    r.End = engine::AttemptEnd::HandedIn;
    r.SecondsUsed = 431;
    for (int i = 0; i < engine::kAttemptRows; ++i) {
        engine::RowRecord& row = r.Rows.at(static_cast<std::size_t>(i));
        const auto n = static_cast<engine::Int16>(i);
        row.Op = i % 3 == 0 ? engine::Operation::Divide : engine::Operation::Multiply;
        row.First = {static_cast<engine::Int16>(n + 1), static_cast<engine::Int16>(n + 7),
                     static_cast<engine::Int16>(n % 4)};
        row.Second = {static_cast<engine::Int16>(n + 2), static_cast<engine::Int16>(n + 9),
                      static_cast<engine::Int16>(n % 3)};
        row.Key = {static_cast<engine::Int16>(n + 3), static_cast<engine::Int16>(n + 11),
                   static_cast<engine::Int16>(n * 2)};
        row.Typed = {std::to_string(i), i == 4 ? "три, \"четыре\"" : std::to_string(i + 3),
                     i == 5 ? "" : std::to_string(i + 11)};
        row.Right = i % 4 != 1;
    }
    r.RightCount = 7;
    r.GradeText = "Хорошо";
    r.Mark = 4;
    return a;
}

// The same attempt before judging: running, no verdicts, no ending time.
inline journal::StoredAttempt RunningAttempt(const QString& pupil = QStringLiteral("Петрова Анна"))
{
    journal::StoredAttempt a = SampleAttempt(pupil);
    a.EndedAt = QDateTime();
    a.Record.End = engine::AttemptEnd::Running;
    a.Record.SecondsUsed = 37;
    a.Record.RightCount.reset();
    a.Record.GradeText.clear();
    a.Record.Mark.reset();
    for (engine::RowRecord& row : a.Record.Rows) {
        row.Right.reset();
    }
    return a;
}

} // namespace journal_test
