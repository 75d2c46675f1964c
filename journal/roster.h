// SPDX-License-Identifier: GPL-3.0-or-later
// The roster: classes (a name such as «6А», a school year, archived at the year's end, an
// optional time for the test) and their pupils (surname, first name, the logins of their
// accounts, an optional time of their own), on a journal of either kind.
//
// Contents: the roster's types; reading it whole (the teacher) or by names only (what the
// pupils' server role may read); who an account's login or a chosen pupil is, with the time
// allowed; adding, changing, moving and removing classes and pupils; adding a whole imported
// list at once. Every function runs on the connection's thread and throws JournalError, with a
// Russian sentence, on failure or for a value the roster does not keep.
//
// It does not read import files (roster_import.h) and never touches attempts: removing a pupil
// leaves their attempts, with their name and class, as they are.
#pragma once

#include "journal/journal_database.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace journal {

struct SchoolClass {
    QString Id; // UUID text; empty for a class not stored yet
    QString Name;
    QString SchoolYear; // "2026/2027"
    bool Archived = false;
    std::optional<int> Minutes; // the class's time for the test; none: the test's ten minutes

    friend bool operator==(const SchoolClass&, const SchoolClass&) = default;
};

struct RosterPupil {
    QString Id; // UUID text; empty for a pupil not stored yet
    QString ClassId;
    QString Surname;
    QString FirstName;
    QStringList Logins;         // empty when read by names only
    std::optional<int> Minutes; // the pupil's own time; none: the class's (unset by names only)

    friend bool operator==(const RosterPupil&, const RosterPupil&) = default;
};

// Who a test is for, as an attempt records it.
struct RosterEntry {
    QString PupilId;
    QString Surname;
    QString FirstName;
    QString ClassName;
    int SecondsAllowed = 600;
};

// The shortest and longest time for the test a class or pupil may have, in minutes.
inline constexpr int kMinRosterMinutes = 10;
inline constexpr int kMaxRosterMinutes = 60;

// "Фамилия Имя".
QString FullName(const RosterPupil& p);

// The school year a date falls in: from September 1st, "2026/2027".
QString SchoolYearOf(const QDate& day);

// The classes, by school year (newest first) and name; archived ones only when asked for.
std::vector<SchoolClass> LoadClasses(const Connection& c, bool withArchived);

// The classes not archived, without their minutes: what the pupils' role may read.
std::vector<SchoolClass> LoadClassNames(const Connection& c);

// The class with this name that is not archived; the newest school year's if there are two.
std::optional<SchoolClass> ActiveClassNamed(const Connection& c, const QString& name);

// Every pupil of the class (of every class when classId is empty), by surname and first name.
std::vector<RosterPupil> LoadPupils(const Connection& c, const QString& classId = {});

// The same with the names and classes only: all the pupils' role may read on a server.
std::vector<RosterPupil> LoadPupilNames(const Connection& c);

// The pupil of a class not archived whose logins include `login`; nothing for none.
std::optional<RosterEntry> PupilForLogin(const Connection& c, const QString& login);

// The time a roster pupil has for the test, in seconds: their own minutes, else their class's,
// else the test's ten minutes; also ten minutes for an id the roster does not have.
int SecondsAllowedFor(const Connection& c, const QString& pupilId);

// The time allowed of every pupil on the roster, in seconds, by pupil id (the server answers
// this through the function the pupils' role may call).
std::map<QString, int> SecondsAllowedByPupil(const Connection& c);

// Adds the class (its Id is made here) and gives the stored class.
SchoolClass AddClass(const Connection& c, SchoolClass k);
// Renames, archives or brings back, and sets the time of the class with k.Id.
void UpdateClass(const Connection& c, const SchoolClass& k);

// Adds the pupil (its Id is made here) and gives the stored pupil.
RosterPupil AddPupil(const Connection& c, RosterPupil p);
// Changes the pupil with p.Id, its class included (a move).
void UpdatePupil(const Connection& c, const RosterPupil& p);
// Takes the pupil off the roster; their attempts stay.
void RemovePupil(const Connection& c, const QString& pupilId);

struct ImportCount {
    int Added = 0;
    int Updated = 0;
};

// Adds the pupils to the class in one transaction: one whose surname and first name the class
// already has (in any case) gets the logins and minutes given instead of a second line.
ImportCount ImportPupils(const Connection& c, const QString& classId,
                         const std::vector<RosterPupil>& pupils);

} // namespace journal
