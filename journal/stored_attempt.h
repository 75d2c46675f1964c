// SPDX-License-Identifier: GPL-3.0-or-later
// One attempt as the journal keeps it: the window's plain record plus who, where, with which
// version and when. Also the words an ending is shown and stored with, and the longest texts
// the journal keeps.
//
// Nothing here reads or writes a database (attempt_store.h does).
#pragma once

#include "engine/attempt_record.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>

namespace journal {

struct StoredAttempt {
    QString Id; // UUID text without braces
    QString Pupil, Host, ProgramVersion;
    // The class as chosen, typed or found in the roster; empty when nobody said.
    QString ClassName;
    // The roster pupil the attempt is linked to (a UUID text); empty when not linked.
    QString RosterPupilId;
    QDateTime StartedAt;          // UTC
    QDateTime EndedAt;            // UTC; invalid while running
    engine::AttemptRecord Record; // End, SecondsAllowed, SecondsUsed, Rows, RightCount, …

    // What a classroom server wrote itself when the attempt arrived: its own clock (UTC), the
    // address it came from and the role that sent it. Invalid and empty for an attempt read
    // from a local file, or stored on the server before it kept them. Never written by this
    // program: the server fills them in.
    QDateTime ReceivedAt = {};
    QString ReceivedFrom = {};
    QString ReceivedRole = {};

    friend bool operator==(const StoredAttempt&, const StoredAttempt&) = default;
};

// How an attempt ended, as the teacher reads it: "сдан", "время вышло", "прерван", "идёт".
QString EndingText(engine::AttemptEnd end);

// The code the `ending` column holds: "handed_in", "timed_out", "interrupted", "running".
QString EndingCode(engine::AttemptEnd end);
// The ending a stored code stands for; nothing for a code this program does not know.
std::optional<engine::AttemptEnd> EndingFromCode(const QString& code);

// The longest texts the journal keeps, in characters: a pupil's name and a computer's name, the
// program's version, a typed answer box's text, the grade in words and a class's name. Longer ones
// are cut (Bounded) before they are written, refused by the server's constraints, and cut again
// wherever they are shown, since a journal file can be written by anyone who has it.
inline constexpr int kMaxNameLength = 200;
inline constexpr int kMaxVersionLength = 50;
inline constexpr int kMaxTypedLength = 50;
inline constexpr int kMaxGradeTextLength = 100;
inline constexpr int kMaxClassNameLength = 50;
// A roster pupil's surname and first name, each.
inline constexpr int kMaxPersonNameLength = 100;

// The time for the test the journal accepts, in seconds: never less than the test's ten
// minutes, at most an hour.
inline constexpr int kMinSecondsAllowed = 600;
inline constexpr int kMaxSecondsAllowed = 3600;

// `text` if it has at most `limit` characters; else its first limit - 1 and "…".
QString Bounded(const QString& text, int limit);
std::string Bounded(const std::string& utf8, int limit);

// The attempt with every text cut to the journal's limits; `cut` tells whether any was.
StoredAttempt BoundedForJournal(StoredAttempt a, bool& cut);

// A new attempt id: a random UUID in lower case, without braces.
QString NewAttemptId();
// True for an id in that form (either case). The program writes no other; one that is not is
// reported by the export (a local file edited by hand) and can still be deleted.
bool IsAttemptId(const QString& id);

// A moment in the form the local journal stores times in: UTC, ISO 8601 with milliseconds and
// 'Z' ("2026-12-10T05:44:22.123Z"); sorts as text in time order. Empty for an invalid time.
QString StorageTimeText(const QDateTime& t);
// The reverse; an invalid QDateTime for empty or malformed text.
QDateTime TimeFromStorageText(const QString& text);

} // namespace journal
