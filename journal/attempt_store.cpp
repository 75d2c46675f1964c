// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/attempt_store.h"

#include "journal/journal_error.h"
#include "journal/local_outbox.h"
#include "journal/sql_helpers.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace journal {

namespace {

const QString kSaveFailed = QStringLiteral("Не удалось записать попытку в журнал");
const QString kReadFailed = QStringLiteral("Не удалось прочитать попытки из журнала");
const QString kDeleteFailed = QStringLiteral("Не удалось удалить попытки из журнала");

const QStringList kAttemptColumns = {
    QStringLiteral("id"),           QStringLiteral("pupil"),
    QStringLiteral("host"),         QStringLiteral("program_version"),
    QStringLiteral("started_at"),   QStringLiteral("ended_at"),
    QStringLiteral("seconds_used"), QStringLiteral("ending"),
    QStringLiteral("right_count"),  QStringLiteral("grade_text"),
    QStringLiteral("mark"),
};

const QStringList kRowColumns = {
    QStringLiteral("attempt_id"),         QStringLiteral("row_no"),
    QStringLiteral("operation"),          QStringLiteral("first_whole"),
    QStringLiteral("first_numerator"),    QStringLiteral("first_denominator"),
    QStringLiteral("second_whole"),       QStringLiteral("second_numerator"),
    QStringLiteral("second_denominator"), QStringLiteral("key_whole"),
    QStringLiteral("key_numerator"),      QStringLiteral("key_denominator"),
    QStringLiteral("typed_whole"),        QStringLiteral("typed_numerator"),
    QStringLiteral("typed_denominator"),  QStringLiteral("verdict"),
};

bool IsUuid(const QString& id)
{
    return !QUuid::fromString(id).isNull();
}

QVariant Optional(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QString Placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i) {
        marks << QStringLiteral("?");
    }
    return marks.join(QStringLiteral(", "));
}

// The columns of the journal's class, roster pupil and time allowed, after kAttemptColumns.
const QStringList kRosterColumns = {
    QStringLiteral("class_name"),
    QStringLiteral("pupil_id"),
    QStringLiteral("seconds_allowed"),
};

// The attempt's own columns (those of the server's table, plus the local search column last).
QStringList AttemptColumnsFor(const Connection& c)
{
    QStringList columns = kAttemptColumns;
    if (HasRoster(c)) {
        columns << kRosterColumns;
    }
    if (c.Kind == Backend::Sqlite) {
        columns << QStringLiteral("pupil_folded");
    }
    return columns;
}

QVariantList AttemptValues(const StoredAttempt& a, const Connection& c)
{
    const Backend backend = c.Kind;
    const engine::AttemptRecord& r = a.Record;
    QVariantList values = {
        a.Id,
        a.Pupil,
        a.Host,
        a.ProgramVersion,
        StorageTimeText(a.StartedAt),
        a.EndedAt.isValid() ? QVariant(StorageTimeText(a.EndedAt)) : QVariant(),
        r.SecondsUsed,
        EndingCode(r.End),
        Optional(r.RightCount),
        r.Mark || !r.GradeText.empty() ? QVariant(QString::fromStdString(r.GradeText)) : QVariant(),
        Optional(r.Mark),
    };
    if (HasRoster(c)) {
        values << NotNullText(a.ClassName)
               << (a.RosterPupilId.isEmpty() ? QVariant() : QVariant(a.RosterPupilId))
               << r.SecondsAllowed;
    }
    if (backend == Backend::Sqlite) {
        values << FoldedName(a.Pupil);
    }
    return values;
}

QVariantList RowValues(const QString& id, int rowNo, const engine::RowRecord& row, Backend backend)
{
    QVariant verdict;
    if (row.Right) {
        verdict = backend == Backend::Sqlite ? QVariant(*row.Right ? 1 : 0) : QVariant(*row.Right);
    }
    return {
        id,
        rowNo,
        static_cast<int>(row.Op),
        row.First.Whole,
        row.First.Numerator,
        row.First.Denominator,
        row.Second.Whole,
        row.Second.Numerator,
        row.Second.Denominator,
        row.Key.Whole,
        row.Key.Numerator,
        row.Key.Denominator,
        QString::fromStdString(row.Typed.Whole),
        QString::fromStdString(row.Typed.Numerator),
        QString::fromStdString(row.Typed.Denominator),
        verdict,
    };
}

// What the schema would refuse, said before anything is written.
void CheckStorable(const StoredAttempt& a, const Connection& c)
{
    auto refuse = [&](const QString& why) {
        throw JournalError(
            QStringLiteral("%1 (попытка %2): %3").arg(kSaveFailed, a.Id, why).toStdString());
    };
    const engine::AttemptRecord& r = a.Record;
    if (!IsUuid(a.Id)) {
        refuse(QStringLiteral("код попытки не UUID"));
    }
    if (!a.StartedAt.isValid()) {
        refuse(QStringLiteral("нет времени начала"));
    }
    if (r.SecondsAllowed < kMinSecondsAllowed || r.SecondsAllowed > kMaxSecondsAllowed) {
        refuse(QStringLiteral("отведено %1 с, а бывает от %2 до %3")
                   .arg(r.SecondsAllowed)
                   .arg(kMinSecondsAllowed)
                   .arg(kMaxSecondsAllowed));
    }
    if (r.SecondsUsed < 0 || r.SecondsUsed > r.SecondsAllowed) {
        refuse(QStringLiteral("использовано %1 с, а бывает от 0 до %2")
                   .arg(r.SecondsUsed)
                   .arg(r.SecondsAllowed));
    }
    if (!a.RosterPupilId.isEmpty() && !IsUuid(a.RosterPupilId)) {
        refuse(QStringLiteral("код ученика из списка не UUID"));
    }
    // A server set up before classes existed would lose them without a word.
    if (!HasRoster(c) && (r.SecondsAllowed != kMinSecondsAllowed || !a.ClassName.isEmpty() ||
                          !a.RosterPupilId.isEmpty())) {
        refuse(QStringLiteral("журнал на сервере старой версии не хранит класс и время на тест: "
                              "обновите его (postgresql-roster.sql, см. README)"));
    }
    if (r.RightCount && (*r.RightCount < 0 || *r.RightCount > engine::kAttemptRows)) {
        refuse(QStringLiteral("верных ответов %1").arg(*r.RightCount));
    }
    if (r.Mark && (*r.Mark < 2 || *r.Mark > 5)) {
        refuse(QStringLiteral("оценка %1").arg(*r.Mark));
    }
    for (const engine::RowRecord& row : r.Rows) {
        if (row.Op != engine::Operation::Multiply && row.Op != engine::Operation::Divide) {
            refuse(QStringLiteral("неизвестное действие %1").arg(static_cast<int>(row.Op)));
        }
    }
}

QString AssignmentsFromExcluded(const QStringList& columns, qsizetype skip)
{
    QStringList sets;
    for (qsizetype i = skip; i < columns.size(); ++i) {
        sets << QStringLiteral("%1 = excluded.%1").arg(columns.at(i));
    }
    return sets.join(QStringLiteral(", "));
}

// Writes the attempt and its rows; `replace` updates what is there, otherwise a stored attempt
// is left as it is. Gives whether the attempt's own line was written.
bool Write(const Connection& c, const StoredAttempt& a, bool replace, bool queue = false)
{
    CheckStorable(a, c);
    const QSqlDatabase db = DatabaseNamed(c.Name);
    const QStringList attemptColumns = AttemptColumnsFor(c);
    const QString attemptConflict = replace ? QStringLiteral(" ON CONFLICT (id) DO UPDATE SET ") +
                                                  AssignmentsFromExcluded(attemptColumns, 1)
                                            : QStringLiteral(" ON CONFLICT DO NOTHING");
    const QString rowConflict =
        replace ? QStringLiteral(" ON CONFLICT (attempt_id, row_no) DO UPDATE SET ") +
                      AssignmentsFromExcluded(kRowColumns, 2)
                : QStringLiteral(" ON CONFLICT DO NOTHING");

    Transaction transaction(db, kSaveFailed);
    QSqlQuery attempt = RunSql(db,
                               QStringLiteral("INSERT INTO attempt (%1) VALUES (%2)")
                                       .arg(attemptColumns.join(QStringLiteral(", ")),
                                            Placeholders(attemptColumns.size())) +
                                   attemptConflict,
                               AttemptValues(a, c), kSaveFailed);
    const bool written = attempt.numRowsAffected() > 0;
    attempt.finish();
    if (written) {
        QSqlQuery row(db);
        if (!row.prepare(
                QStringLiteral("INSERT INTO attempt_row (%1) VALUES (%2)")
                    .arg(kRowColumns.join(QStringLiteral(", ")), Placeholders(kRowColumns.size())) +
                rowConflict)) {
            ThrowSqlError(kSaveFailed, row.lastError().text());
        }
        for (int i = 0; i < engine::kAttemptRows; ++i) {
            RunPrepared(row,
                        RowValues(a.Id, i, a.Record.Rows.at(static_cast<std::size_t>(i)), c.Kind),
                        kSaveFailed);
        }
    }
    if (queue) {
        RunSql(db,
               QStringLiteral("INSERT INTO outbox (attempt_id, queued_at) VALUES (?, ?)"
                              " ON CONFLICT (attempt_id) DO NOTHING"),
               {a.Id, StorageTimeText(QDateTime::currentDateTimeUtc())}, kSaveFailed);
    }
    transaction.Commit();
    return written;
}

// started_at and ended_at as the storage text on both kinds of database.
QString TimeColumn(const QString& column, Backend backend)
{
    if (backend == Backend::Sqlite) {
        return column;
    }
    return QStringLiteral("to_char(%1 AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')")
        .arg(column);
}

QString SelectAttempts(const Connection& c)
{
    const Backend backend = c.Kind;
    QStringList columns = kAttemptColumns;
    columns[4] = TimeColumn(QStringLiteral("started_at"), backend);
    columns[5] = TimeColumn(QStringLiteral("ended_at"), backend);
    if (backend == Backend::Postgres) {
        columns[0] = QStringLiteral("CAST(id AS text)");
    }
    if (HasRoster(c)) {
        columns << kRosterColumns;
        if (backend == Backend::Postgres) {
            columns[kAttemptColumns.size() + 1] = QStringLiteral("CAST(pupil_id AS text)");
        }
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM attempt");
}

std::optional<int> OptionalInt(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}

StoredAttempt AttemptFromQuery(const QSqlQuery& q)
{
    StoredAttempt a;
    a.Id = q.value(0).toString();
    a.Pupil = q.value(1).toString();
    a.Host = q.value(2).toString();
    a.ProgramVersion = q.value(3).toString();
    a.StartedAt = TimeFromStorageText(q.value(4).toString());
    a.EndedAt = TimeFromStorageText(q.value(5).toString());
    a.Record.SecondsUsed = q.value(6).toInt();
    a.Record.End = EndingFromCode(q.value(7).toString()).value_or(engine::AttemptEnd::Interrupted);
    a.Record.RightCount = OptionalInt(q.value(8));
    a.Record.GradeText = q.value(9).toString().toStdString();
    a.Record.Mark = OptionalInt(q.value(10));
    // Present only on a journal with the roster; an older one had ten minutes for everybody.
    if (q.record().count() > kAttemptColumns.size()) {
        a.ClassName = q.value(11).toString();
        a.RosterPupilId = q.value(12).toString();
        a.Record.SecondsAllowed = q.value(13).toInt();
    }
    return a;
}

engine::Int16 Small(const QVariant& v)
{
    return static_cast<engine::Int16>(v.toInt());
}

// Reads one attempt_row line (columns as in kRowColumns) into its place; gives the row number.
void RowFromQuery(const QSqlQuery& q, StoredAttempt& a)
{
    const int rowNo = q.value(1).toInt();
    if (rowNo < 0 || rowNo >= engine::kAttemptRows) {
        return;
    }
    engine::RowRecord& row = a.Record.Rows.at(static_cast<std::size_t>(rowNo));
    row.Op = q.value(2).toInt() == 2 ? engine::Operation::Divide : engine::Operation::Multiply;
    row.First = {Small(q.value(4)), Small(q.value(5)), Small(q.value(3))};
    row.Second = {Small(q.value(7)), Small(q.value(8)), Small(q.value(6))};
    row.Key = {Small(q.value(10)), Small(q.value(11)), Small(q.value(9))};
    row.Typed = {q.value(12).toString().toStdString(), q.value(13).toString().toStdString(),
                 q.value(14).toString().toStdString()};
    row.Right = q.value(15).isNull() ? std::nullopt : std::optional<bool>(q.value(15).toBool());
}

QString SelectRows(Backend backend)
{
    QStringList columns;
    for (const QString& column : kRowColumns) {
        columns << QStringLiteral("attempt_row.") + column;
    }
    if (backend == Backend::Postgres) {
        columns[0] = QStringLiteral("CAST(attempt_row.attempt_id AS text)");
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM attempt_row");
}

} // namespace

void SaveAttempt(const Connection& c, const StoredAttempt& a)
{
    Write(c, a, true);
}

void SaveAndQueue(const Connection& c, const StoredAttempt& a)
{
    if (c.Kind != Backend::Sqlite) {
        throw JournalError("Очередь отправки есть только в местном журнале");
    }
    Write(c, a, true, true);
}

QStringList QueuedIds(const Connection& c)
{
    QSqlQuery q =
        RunSql(DatabaseNamed(c.Name),
               QStringLiteral("SELECT attempt_id FROM outbox ORDER BY queued_at"), {}, kReadFailed);
    QStringList ids;
    while (q.next()) {
        ids << q.value(0).toString();
    }
    return ids;
}

QStringList RunningAttemptIds(const Connection& c)
{
    QSqlQuery q =
        RunSql(DatabaseNamed(c.Name),
               QStringLiteral("SELECT id FROM attempt WHERE ending = 'running'"), {}, kReadFailed);
    QStringList ids;
    while (q.next()) {
        ids << q.value(0).toString();
    }
    return ids;
}

void Unqueue(const Connection& c, const QString& id)
{
    RunSql(DatabaseNamed(c.Name), QStringLiteral("DELETE FROM outbox WHERE attempt_id = ?"), {id},
           kSaveFailed);
}

bool AddAttemptOnce(const Connection& c, const StoredAttempt& a)
{
    return Write(c, a, false);
}

std::optional<StoredAttempt> LoadAttempt(const Connection& c, const QString& id)
{
    if (!IsUuid(id)) {
        return std::nullopt;
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    QSqlQuery q =
        RunSql(db, SelectAttempts(c) + QStringLiteral(" WHERE id = ?"), {id}, kReadFailed);
    if (!q.next()) {
        return std::nullopt;
    }
    StoredAttempt a = AttemptFromQuery(q);
    q.finish();
    QSqlQuery rows =
        RunSql(db, SelectRows(c.Kind) + QStringLiteral(" WHERE attempt_id = ?"), {id}, kReadFailed);
    while (rows.next()) {
        RowFromQuery(rows, a);
    }
    return a;
}

std::vector<StoredAttempt> LoadAttempts(const Connection& c, const AttemptFilter& f)
{
    const QSqlDatabase db = DatabaseNamed(c.Name);
    const SqlCondition condition = ConditionFor(f, c.Kind);
    std::vector<StoredAttempt> attempts;
    QHash<QString, std::size_t> byId;
    QSqlQuery q =
        RunSql(db, SelectAttempts(c) + condition.Where + QStringLiteral(" ORDER BY started_at, id"),
               condition.Values, kReadFailed);
    while (q.next()) {
        attempts.push_back(AttemptFromQuery(q));
        byId.insert(attempts.back().Id, attempts.size() - 1);
    }
    q.finish();
    // All rows in one query over the same condition (its columns are the attempt's only).
    QSqlQuery rows = RunSql(db,
                            SelectRows(c.Kind) +
                                QStringLiteral(" JOIN attempt ON attempt.id = "
                                               "attempt_row.attempt_id") +
                                condition.Where,
                            condition.Values, kReadFailed);
    while (rows.next()) {
        const auto found = byId.constFind(rows.value(0).toString());
        if (found != byId.constEnd()) {
            RowFromQuery(rows, attempts.at(found.value()));
        }
    }
    return attempts;
}

int DeleteAttempts(const Connection& c, const QStringList& ids)
{
    const QSqlDatabase db = DatabaseNamed(c.Name);
    Transaction transaction(db, kDeleteFailed);
    QSqlQuery rows(db);
    QSqlQuery attempt(db);
    if (!rows.prepare(QStringLiteral("DELETE FROM attempt_row WHERE attempt_id = ?")) ||
        !attempt.prepare(QStringLiteral("DELETE FROM attempt WHERE id = ?"))) {
        ThrowSqlError(kDeleteFailed, rows.lastError().text() + attempt.lastError().text());
    }
    std::optional<QSqlQuery> outbox;
    if (c.Kind == Backend::Sqlite) {
        outbox.emplace(db);
        outbox->prepare(QStringLiteral("DELETE FROM outbox WHERE attempt_id = ?"));
    }
    int deleted = 0;
    for (const QString& id : ids) {
        if (!IsUuid(id)) {
            continue;
        }
        RunPrepared(rows, {id}, kDeleteFailed);
        if (outbox) {
            RunPrepared(*outbox, {id}, kDeleteFailed);
        }
        RunPrepared(attempt, {id}, kDeleteFailed);
        deleted += std::max(0, attempt.numRowsAffected());
    }
    transaction.Commit();
    return deleted;
}

} // namespace journal
