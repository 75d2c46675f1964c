// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/roster.h"

#include "journal/journal_error.h"
#include "journal/sql_helpers.h"
#include "journal/stored_attempt.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>

namespace journal {

namespace {

const QString kReadFailed = QStringLiteral("Не удалось прочитать список класса");
const QString kSaveFailed = QStringLiteral("Не удалось изменить список класса");

[[noreturn]] void Refuse(const QString& why)
{
    throw JournalError(QStringLiteral("%1: %2").arg(kSaveFailed, why).toStdString());
}

void RequireRoster(const Connection& c, const QString& what)
{
    if (!HasRoster(c)) {
        throw JournalError(QStringLiteral("%1: журнал на сервере старой версии, в нём нет классов "
                                          "(обновите его: postgresql-roster.sql, см. README)")
                               .arg(what)
                               .toStdString());
    }
}

QString NewId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString IdColumn(const Connection& c, const QString& column)
{
    return c.Kind == Backend::Postgres ? QStringLiteral("CAST(%1 AS text)").arg(column) : column;
}

QVariant Flag(const Connection& c, bool value)
{
    return c.Kind == Backend::Postgres ? QVariant(value) : QVariant(value ? 1 : 0);
}

QVariant OptionalMinutes(const std::optional<int>& minutes)
{
    return minutes ? QVariant(*minutes) : QVariant();
}

std::optional<int> MinutesFrom(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}

void CheckMinutes(const std::optional<int>& minutes)
{
    if (minutes && (*minutes < kMinRosterMinutes || *minutes > kMaxRosterMinutes)) {
        Refuse(QStringLiteral("время на тест %1 мин, а бывает от %2 до %3 минут")
                   .arg(*minutes)
                   .arg(kMinRosterMinutes)
                   .arg(kMaxRosterMinutes));
    }
}

void CheckClass(const SchoolClass& k)
{
    if (k.Name.trimmed().isEmpty()) {
        Refuse(QStringLiteral("у класса нет названия"));
    }
    if (k.Name.size() > kMaxClassNameLength) {
        Refuse(QStringLiteral("название класса длиннее %1 знаков").arg(kMaxClassNameLength));
    }
    if (k.SchoolYear.size() > 20) {
        Refuse(QStringLiteral("учебный год записан неверно: «%1»").arg(Bounded(k.SchoolYear, 30)));
    }
    CheckMinutes(k.Minutes);
}

void CheckPupil(const RosterPupil& p)
{
    static const QRegularExpression login(QStringLiteral("^[A-Za-z0-9._@-]+$"));
    if (p.Surname.trimmed().isEmpty() || p.FirstName.trimmed().isEmpty()) {
        Refuse(QStringLiteral("у ученика нужны фамилия и имя"));
    }
    if (p.Surname.size() > kMaxPersonNameLength || p.FirstName.size() > kMaxPersonNameLength) {
        Refuse(QStringLiteral("фамилия или имя длиннее %1 знаков").arg(kMaxPersonNameLength));
    }
    for (const QString& name : p.Logins) {
        if (!login.match(name).hasMatch()) {
            Refuse(QStringLiteral("имя входа «%1» записано неверно: только латинские буквы, "
                                  "цифры и знаки . _ - @")
                       .arg(Bounded(name, 40)));
        }
    }
    if (p.Logins.join(u' ').size() > kMaxNameLength) {
        Refuse(QStringLiteral("имена входа вместе длиннее %1 знаков").arg(kMaxNameLength));
    }
    CheckMinutes(p.Minutes);
}

QString ClassColumns(const Connection& c, bool everything = true)
{
    return IdColumn(c, QStringLiteral("id")) + QStringLiteral(", name, school_year, archived") +
           (everything ? QStringLiteral(", minutes") : QString()) +
           QStringLiteral(" FROM school_class");
}

SchoolClass ClassFrom(const QSqlQuery& q, bool everything = true)
{
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
            q.value(3).toBool(), everything ? MinutesFrom(q.value(4)) : std::nullopt};
}

std::vector<SchoolClass> ReadClasses(const Connection& c, bool withArchived, bool everything)
{
    RequireRoster(c, kReadFailed);
    QString sql = QStringLiteral("SELECT ") + ClassColumns(c, everything);
    if (!withArchived) {
        sql += c.Kind == Backend::Postgres ? QStringLiteral(" WHERE NOT archived")
                                           : QStringLiteral(" WHERE archived = 0");
    }
    QSqlQuery q = RunSql(DatabaseNamed(c.Name), sql, {}, kReadFailed);
    std::vector<SchoolClass> classes;
    while (q.next()) {
        classes.push_back(ClassFrom(q, everything));
    }
    std::sort(classes.begin(), classes.end(), [](const SchoolClass& a, const SchoolClass& b) {
        if (a.SchoolYear != b.SchoolYear) {
            return a.SchoolYear > b.SchoolYear;
        }
        return QString::localeAwareCompare(a.Name, b.Name) < 0;
    });
    return classes;
}

RosterPupil PupilFrom(const QSqlQuery& q, bool everything)
{
    RosterPupil p;
    p.Id = q.value(0).toString();
    p.ClassId = q.value(1).toString();
    p.Surname = q.value(2).toString();
    p.FirstName = q.value(3).toString();
    if (everything) {
        p.Logins = q.value(4).toString().split(u' ', Qt::SkipEmptyParts);
        p.Minutes = MinutesFrom(q.value(5));
    }
    return p;
}

std::vector<RosterPupil> ReadPupils(const Connection& c, const QString& classId, bool everything)
{
    RequireRoster(c, kReadFailed);
    QString sql = QStringLiteral("SELECT ") + IdColumn(c, QStringLiteral("id")) +
                  QStringLiteral(", ") + IdColumn(c, QStringLiteral("class_id")) +
                  QStringLiteral(", surname, first_name");
    if (everything) {
        sql += QStringLiteral(", logins, minutes");
    }
    sql += QStringLiteral(" FROM roster_pupil");
    QVariantList values;
    if (!classId.isEmpty()) {
        sql += QStringLiteral(" WHERE class_id = ?");
        values << classId;
    }
    QSqlQuery q = RunSql(DatabaseNamed(c.Name), sql, values, kReadFailed);
    std::vector<RosterPupil> pupils;
    while (q.next()) {
        pupils.push_back(PupilFrom(q, everything));
    }
    // Sorted here: SQLite's own ordering knows nothing of Cyrillic case.
    std::sort(pupils.begin(), pupils.end(), [](const RosterPupil& a, const RosterPupil& b) {
        const int bySurname = QString::localeAwareCompare(a.Surname, b.Surname);
        return bySurname != 0 ? bySurname < 0
                              : QString::localeAwareCompare(a.FirstName, b.FirstName) < 0;
    });
    return pupils;
}

int SecondsOf(const std::optional<int>& pupilMinutes, const std::optional<int>& classMinutes)
{
    return 60 * pupilMinutes.value_or(classMinutes.value_or(kMinSecondsAllowed / 60));
}

std::optional<SchoolClass> ClassWithId(const Connection& c, const QString& id)
{
    QSqlQuery q =
        RunSql(DatabaseNamed(c.Name),
               QStringLiteral("SELECT ") + ClassColumns(c) + QStringLiteral(" WHERE id = ?"), {id},
               kReadFailed);
    if (!q.next()) {
        return std::nullopt;
    }
    return ClassFrom(q);
}

bool IsUuid(const QString& id)
{
    return !QUuid::fromString(id).isNull();
}

// The values for "class_id, surname, first_name, logins, minutes, id", in that order.
QVariantList PupilValues(const RosterPupil& p)
{
    return {p.ClassId,
            p.Surname.trimmed(),
            p.FirstName.trimmed(),
            NotNullText(p.Logins.join(u' ')),
            OptionalMinutes(p.Minutes),
            p.Id};
}

void RequireClass(const Connection& c, const QString& classId)
{
    if (!IsUuid(classId) || !ClassWithId(c, classId)) {
        Refuse(QStringLiteral("такого класса нет в журнале"));
    }
}

} // namespace

QString FullName(const RosterPupil& p)
{
    return p.Surname + QLatin1Char(' ') + p.FirstName;
}

QString SchoolYearOf(const QDate& day)
{
    const int first = day.month() >= 9 ? day.year() : day.year() - 1;
    return QStringLiteral("%1/%2").arg(first).arg(first + 1);
}

std::vector<SchoolClass> LoadClasses(const Connection& c, bool withArchived)
{
    return ReadClasses(c, withArchived, true);
}

std::vector<SchoolClass> LoadClassNames(const Connection& c)
{
    return ReadClasses(c, false, false);
}

std::optional<SchoolClass> ActiveClassNamed(const Connection& c, const QString& name)
{
    for (const SchoolClass& k : LoadClasses(c, false)) {
        if (k.Name == name.trimmed()) {
            return k;
        }
    }
    return std::nullopt;
}

std::vector<RosterPupil> LoadPupils(const Connection& c, const QString& classId)
{
    return ReadPupils(c, classId, true);
}

std::vector<RosterPupil> LoadPupilNames(const Connection& c)
{
    return ReadPupils(c, {}, false);
}

std::optional<RosterEntry> PupilForLogin(const Connection& c, const QString& login)
{
    RequireRoster(c, kReadFailed);
    if (login.isEmpty()) {
        return std::nullopt;
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    if (c.Kind == Backend::Postgres) {
        QSqlQuery q = RunSql(db,
                             QStringLiteral("SELECT CAST(pupil_id AS text), surname, first_name,"
                                            " class_name, seconds_allowed"
                                            " FROM roster_pupil_for_login(?)"),
                             {login}, kReadFailed);
        if (!q.next()) {
            return std::nullopt;
        }
        return RosterEntry{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                           q.value(3).toString(), q.value(4).toInt()};
    }
    // The same rule as the server's function: the first such pupil by id.
    QSqlQuery q = RunSql(db,
                         QStringLiteral("SELECT p.id, p.surname, p.first_name, c.name, p.minutes,"
                                        " c.minutes FROM roster_pupil p"
                                        " JOIN school_class c ON c.id = p.class_id"
                                        " WHERE c.archived = 0"
                                        " AND instr(' ' || p.logins || ' ', ?) > 0"
                                        " ORDER BY p.id LIMIT 1"),
                         {QLatin1Char(' ') + login + QLatin1Char(' ')}, kReadFailed);
    if (!q.next()) {
        return std::nullopt;
    }
    return RosterEntry{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                       q.value(3).toString(),
                       SecondsOf(MinutesFrom(q.value(4)), MinutesFrom(q.value(5)))};
}

int SecondsAllowedFor(const Connection& c, const QString& pupilId)
{
    RequireRoster(c, kReadFailed);
    if (!IsUuid(pupilId)) {
        return kMinSecondsAllowed;
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    if (c.Kind == Backend::Postgres) {
        QSqlQuery q = RunSql(db, QStringLiteral("SELECT roster_seconds_allowed(CAST(? AS uuid))"),
                             {pupilId}, kReadFailed);
        return q.next() && !q.value(0).isNull() ? q.value(0).toInt() : kMinSecondsAllowed;
    }
    QSqlQuery q = RunSql(db,
                         QStringLiteral("SELECT p.minutes, c.minutes FROM roster_pupil p"
                                        " JOIN school_class c ON c.id = p.class_id"
                                        " WHERE p.id = ?"),
                         {pupilId}, kReadFailed);
    return q.next() ? SecondsOf(MinutesFrom(q.value(0)), MinutesFrom(q.value(1)))
                    : kMinSecondsAllowed;
}

std::map<QString, int> SecondsAllowedByPupil(const Connection& c)
{
    RequireRoster(c, kReadFailed);
    const QSqlDatabase db = DatabaseNamed(c.Name);
    std::map<QString, int> seconds;
    if (c.Kind == Backend::Postgres) {
        QSqlQuery q = RunSql(db,
                             QStringLiteral("SELECT CAST(id AS text), roster_seconds_allowed(id)"
                                            " FROM roster_pupil"),
                             {}, kReadFailed);
        while (q.next()) {
            seconds.emplace(q.value(0).toString(), q.value(1).toInt());
        }
        return seconds;
    }
    QSqlQuery q = RunSql(db,
                         QStringLiteral("SELECT p.id, p.minutes, c.minutes FROM roster_pupil p"
                                        " JOIN school_class c ON c.id = p.class_id"),
                         {}, kReadFailed);
    while (q.next()) {
        seconds.emplace(q.value(0).toString(),
                        SecondsOf(MinutesFrom(q.value(1)), MinutesFrom(q.value(2))));
    }
    return seconds;
}

SchoolClass AddClass(const Connection& c, SchoolClass k)
{
    RequireRoster(c, kSaveFailed);
    k.Name = k.Name.trimmed();
    if (k.SchoolYear.isEmpty()) {
        k.SchoolYear = SchoolYearOf(QDate::currentDate());
    }
    CheckClass(k);
    for (const SchoolClass& other : LoadClasses(c, true)) {
        if (other.Name == k.Name && other.SchoolYear == k.SchoolYear) {
            Refuse(
                QStringLiteral("класс «%1» %2 учебного года уже есть").arg(k.Name, k.SchoolYear));
        }
    }
    k.Id = NewId();
    RunSql(DatabaseNamed(c.Name),
           QStringLiteral("INSERT INTO school_class (id, name, school_year, archived, minutes)"
                          " VALUES (?, ?, ?, ?, ?)"),
           {k.Id, k.Name, k.SchoolYear, Flag(c, k.Archived), OptionalMinutes(k.Minutes)},
           kSaveFailed);
    return k;
}

void UpdateClass(const Connection& c, const SchoolClass& k)
{
    RequireRoster(c, kSaveFailed);
    CheckClass(k);
    if (!IsUuid(k.Id)) {
        Refuse(QStringLiteral("такого класса нет в журнале"));
    }
    QSqlQuery q = RunSql(
        DatabaseNamed(c.Name),
        QStringLiteral("UPDATE school_class SET name = ?, school_year = ?,"
                       " archived = ?, minutes = ? WHERE id = ?"),
        {k.Name.trimmed(), k.SchoolYear, Flag(c, k.Archived), OptionalMinutes(k.Minutes), k.Id},
        kSaveFailed);
    if (q.numRowsAffected() != 1) {
        Refuse(QStringLiteral("такого класса нет в журнале"));
    }
}

RosterPupil AddPupil(const Connection& c, RosterPupil p)
{
    RequireRoster(c, kSaveFailed);
    CheckPupil(p);
    RequireClass(c, p.ClassId);
    p.Id = NewId();
    p.Surname = p.Surname.trimmed();
    p.FirstName = p.FirstName.trimmed();
    RunSql(DatabaseNamed(c.Name),
           QStringLiteral("INSERT INTO roster_pupil (class_id, surname, first_name, logins,"
                          " minutes, id) VALUES (?, ?, ?, ?, ?, ?)"),
           PupilValues(p), kSaveFailed);
    return p;
}

void UpdatePupil(const Connection& c, const RosterPupil& p)
{
    RequireRoster(c, kSaveFailed);
    CheckPupil(p);
    RequireClass(c, p.ClassId);
    if (!IsUuid(p.Id)) {
        Refuse(QStringLiteral("такого ученика нет в списке"));
    }
    QSqlQuery q = RunSql(DatabaseNamed(c.Name),
                         QStringLiteral("UPDATE roster_pupil SET class_id = ?, surname = ?,"
                                        " first_name = ?, logins = ?, minutes = ? WHERE id = ?"),
                         PupilValues(p), kSaveFailed);
    if (q.numRowsAffected() != 1) {
        Refuse(QStringLiteral("такого ученика нет в списке"));
    }
}

void RemovePupil(const Connection& c, const QString& pupilId)
{
    RequireRoster(c, kSaveFailed);
    if (!IsUuid(pupilId)) {
        Refuse(QStringLiteral("такого ученика нет в списке"));
    }
    QSqlQuery q =
        RunSql(DatabaseNamed(c.Name), QStringLiteral("DELETE FROM roster_pupil WHERE id = ?"),
               {pupilId}, kSaveFailed);
    if (q.numRowsAffected() != 1) {
        Refuse(QStringLiteral("такого ученика нет в списке"));
    }
}

ImportCount ImportPupils(const Connection& c, const QString& classId,
                         const std::vector<RosterPupil>& pupils)
{
    RequireRoster(c, kSaveFailed);
    RequireClass(c, classId);
    for (const RosterPupil& p : pupils) {
        CheckPupil(p);
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    Transaction transaction(db, kSaveFailed);
    std::vector<RosterPupil> present = LoadPupils(c, classId);
    ImportCount count;
    for (RosterPupil p : pupils) {
        p.ClassId = classId;
        p.Surname = p.Surname.trimmed();
        p.FirstName = p.FirstName.trimmed();
        const auto same = std::find_if(present.begin(), present.end(), [&](const RosterPupil& q) {
            return q.Surname.toCaseFolded() == p.Surname.toCaseFolded() &&
                   q.FirstName.toCaseFolded() == p.FirstName.toCaseFolded();
        });
        if (same == present.end()) {
            p.Id = NewId();
            RunSql(db,
                   QStringLiteral("INSERT INTO roster_pupil (class_id, surname, first_name,"
                                  " logins, minutes, id) VALUES (?, ?, ?, ?, ?, ?)"),
                   PupilValues(p), kSaveFailed);
            present.push_back(p);
            ++count.Added;
        } else {
            same->Logins = p.Logins;
            same->Minutes = p.Minutes;
            RunSql(db,
                   QStringLiteral("UPDATE roster_pupil SET class_id = ?, surname = ?,"
                                  " first_name = ?, logins = ?, minutes = ? WHERE id = ?"),
                   PupilValues(*same), kSaveFailed);
            ++count.Updated;
        }
    }
    transaction.Commit();
    return count;
}

} // namespace journal
