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

#include <limits>

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
    // The roster's columns come right after the attempt's, on a journal that has them.
    if (HasRoster(c)) {
        columns << kRosterColumns;
        if (backend == Backend::Postgres) {
            columns[kAttemptColumns.size() + 1] = QStringLiteral("CAST(pupil_id AS text)");
        }
    }
    if (backend == Backend::Postgres) {
        columns[0] = QStringLiteral("CAST(id AS text)");
        // The server's own stamps, last; never written by this program.
        columns << TimeColumn(QStringLiteral("received_at"), backend)
                << QStringLiteral("host(received_from)") << QStringLiteral("received_role");
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM attempt");
}

// A stored text shown inside a message: at most 40 characters, nothing that would break the
// message's one line. Every stored text is the pupil's and may be anything.
QString Shown(const QString& text)
{
    QString shown = text.left(40);
    for (QChar& c : shown) {
        if (!c.isPrint()) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text.size() > shown.size() ? shown + QStringLiteral("…") : shown;
}

// Reads one stored line with checks. A NULL where the journal never writes one, a number that
// is not a whole number in its range, a code this program does not know: each is an error
// that names the attempt and the column. Nothing is ever replaced by a default.
class LineReader {
public:
    LineReader(const QSqlQuery& q, const QStringList& columns) : q_(q), columns_(columns) {}

    void SetAttempt(const QString& id) { attempt_ = id; }

    [[noreturn]] void Refuse(int column, const QString& why) const
    {
        throw JournalError(QStringLiteral("%1: в попытке «%2» поле %3 %4")
                               .arg(kReadFailed, Shown(attempt_), columns_.at(column), why)
                               .toStdString());
    }

    bool IsNull(int column) const { return q_.value(column).isNull(); }

    QString Text(int column) const
    {
        if (IsNull(column)) {
            Refuse(column, QStringLiteral("пусто (NULL)"));
        }
        return q_.value(column).toString();
    }

    qlonglong Whole(int column, qlonglong lowest, qlonglong highest) const
    {
        const QVariant v = q_.value(column);
        if (v.isNull()) {
            Refuse(column, QStringLiteral("пусто (NULL)"));
        }
        bool ok = false;
        qlonglong n = 0;
        switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            n = v.toLongLong(&ok);
            break;
        case QMetaType::QString:
            n = v.toString().toLongLong(&ok);
            break;
        default:
            break;
        }
        if (!ok) {
            Refuse(column, QStringLiteral("не целое число: «%1»").arg(Shown(v.toString())));
        }
        if (n < lowest || n > highest) {
            Refuse(column,
                   QStringLiteral("вне пределов от %1 до %2: %3").arg(lowest).arg(highest).arg(n));
        }
        return n;
    }

    std::optional<int> OptionalWhole(int column, int lowest, int highest) const
    {
        if (IsNull(column)) {
            return std::nullopt;
        }
        return static_cast<int>(Whole(column, lowest, highest));
    }

    engine::Int16 Small(int column) const
    {
        return static_cast<engine::Int16>(Whole(column, std::numeric_limits<engine::Int16>::min(),
                                                std::numeric_limits<engine::Int16>::max()));
    }

    QDateTime Time(int column) const
    {
        const QString text = Text(column);
        QDateTime t = TimeFromStorageText(text);
        if (!t.isValid()) {
            Refuse(column, QStringLiteral("не время: «%1»").arg(Shown(text)));
        }
        return t;
    }

private:
    const QSqlQuery& q_;
    const QStringList& columns_;
    QString attempt_;
};

StoredAttempt AttemptFromQuery(const QSqlQuery& q, Backend backend)
{
    LineReader line(q, kAttemptColumns);
    StoredAttempt a;
    a.Id = line.Text(0);
    line.SetAttempt(a.Id);
    a.Pupil = line.Text(1);
    a.Host = line.Text(2);
    a.ProgramVersion = line.Text(3);
    a.StartedAt = line.Time(4);
    a.EndedAt = line.IsNull(5) ? QDateTime() : line.Time(5);
    a.Record.SecondsUsed = static_cast<int>(line.Whole(6, 0, std::numeric_limits<int>::max()));
    const QString ending = line.Text(7);
    const std::optional<engine::AttemptEnd> end = EndingFromCode(ending);
    if (!end) {
        line.Refuse(7, QStringLiteral("— неизвестный код «%1»").arg(Shown(ending)));
    }
    a.Record.End = *end;
    a.Record.RightCount = line.OptionalWhole(8, 0, engine::kAttemptRows);
    a.Record.GradeText = line.IsNull(9) ? std::string() : line.Text(9).toStdString();
    a.Record.Mark = line.OptionalWhole(10, 2, 5);
    // Present only on a journal with the roster; an older one had ten minutes for everybody.
    const auto first = static_cast<int>(kAttemptColumns.size());
    const int stamps = backend == Backend::Postgres ? 3 : 0;
    const bool roster =
        q.record().count() >= first + static_cast<int>(kRosterColumns.size()) + stamps;
    if (roster) {
        a.ClassName = q.value(first).toString();
        a.RosterPupilId = q.value(first + 1).toString();
        a.Record.SecondsAllowed = q.value(first + 2).toInt();
    }
    if (backend == Backend::Postgres) {
        // The server's own stamps; empty on attempts it kept from before it stamped them.
        const int stamp = first + (roster ? static_cast<int>(kRosterColumns.size()) : 0);
        a.ReceivedAt = TimeFromStorageText(q.value(stamp).toString());
        a.ReceivedFrom = q.value(stamp + 1).toString();
        a.ReceivedRole = q.value(stamp + 2).toString();
    }
    return a;
}

// The rows found so far for each attempt being read, one bit per row number.
using RowsSeen = QHash<QString, unsigned>;

// Reads one attempt_row line (columns as in kRowColumns) into its place in `a`.
void RowFromQuery(const QSqlQuery& q, StoredAttempt& a, RowsSeen& seen)
{
    LineReader line(q, kRowColumns);
    line.SetAttempt(a.Id);
    const auto rowNo = static_cast<int>(line.Whole(1, 0, engine::kAttemptRows - 1));
    unsigned& bits = seen[a.Id];
    if ((bits & (1U << rowNo)) != 0) {
        line.Refuse(1, QStringLiteral("— задание %1 записано дважды").arg(rowNo + 1));
    }
    bits |= 1U << rowNo;
    engine::RowRecord& row = a.Record.Rows.at(static_cast<std::size_t>(rowNo));
    row.Op = static_cast<engine::Operation>(line.Whole(2, 1, 2));
    row.First = {line.Small(4), line.Small(5), line.Small(3)};
    row.Second = {line.Small(7), line.Small(8), line.Small(6)};
    row.Key = {line.Small(10), line.Small(11), line.Small(9)};
    row.Typed = {line.Text(12).toStdString(), line.Text(13).toStdString(),
                 line.Text(14).toStdString()};
    if (line.IsNull(15)) {
        row.Right = std::nullopt;
    } else if (q.value(15).metaType().id() == QMetaType::Bool) {
        row.Right = q.value(15).toBool();
    } else {
        row.Right = line.Whole(15, 0, 1) == 1;
    }
}

// Every attempt read has all ten rows: a missing one is an error, never an empty row.
void CheckAllRows(const StoredAttempt& a, const RowsSeen& seen)
{
    const unsigned bits = seen.value(a.Id);
    for (int n = 0; n < engine::kAttemptRows; ++n) {
        if ((bits & (1U << n)) == 0) {
            throw JournalError(QStringLiteral("%1: в попытке «%2» нет задания %3")
                                   .arg(kReadFailed, Shown(a.Id))
                                   .arg(n + 1)
                                   .toStdString());
        }
    }
}

// Steps through a query's lines; a step that fails is an error, never the end of the lines.
template <typename EachLine> void ForEachLine(QSqlQuery& q, EachLine each)
{
    while (q.next()) {
        each(q);
    }
    ThrowIfFailed(q, kReadFailed);
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
    ForEachLine(q, [&](const QSqlQuery& line) { ids << line.value(0).toString(); });
    return ids;
}

QStringList RunningAttemptIds(const Connection& c)
{
    QSqlQuery q =
        RunSql(DatabaseNamed(c.Name),
               QStringLiteral("SELECT id FROM attempt WHERE ending = 'running'"), {}, kReadFailed);
    QStringList ids;
    ForEachLine(q, [&](const QSqlQuery& line) { ids << line.value(0).toString(); });
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
    // The server's ids are of type uuid, so other text cannot name anything there; the local
    // file's are text, and a pupil's own edit may have put anything in.
    if (c.Kind == Backend::Postgres && !IsUuid(id)) {
        return std::nullopt;
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    QSqlQuery q =
        RunSql(db, SelectAttempts(c) + QStringLiteral(" WHERE id = ?"), {id}, kReadFailed);
    if (!q.next()) {
        ThrowIfFailed(q, kReadFailed);
        return std::nullopt;
    }
    StoredAttempt a = AttemptFromQuery(q, c.Kind);
    q.finish();
    QSqlQuery rows =
        RunSql(db, SelectRows(c.Kind) + QStringLiteral(" WHERE attempt_id = ?"), {id}, kReadFailed);
    RowsSeen seen;
    ForEachLine(rows, [&](const QSqlQuery& line) { RowFromQuery(line, a, seen); });
    CheckAllRows(a, seen);
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
    ForEachLine(q, [&](const QSqlQuery& line) {
        attempts.push_back(AttemptFromQuery(line, c.Kind));
        byId.insert(attempts.back().Id, attempts.size() - 1);
    });
    q.finish();
    // All rows in one query over the same condition (its columns are the attempt's only).
    QSqlQuery rows = RunSql(db,
                            SelectRows(c.Kind) +
                                QStringLiteral(" JOIN attempt ON attempt.id = "
                                               "attempt_row.attempt_id") +
                                condition.Where,
                            condition.Values, kReadFailed);
    RowsSeen seen;
    ForEachLine(rows, [&](const QSqlQuery& line) {
        const auto found = byId.constFind(line.value(0).toString());
        if (found != byId.constEnd()) {
            RowFromQuery(line, attempts.at(found.value()), seen);
        }
    });
    for (const StoredAttempt& a : attempts) {
        CheckAllRows(a, seen);
    }
    return attempts;
}

std::vector<StoredAttempt> LoadAttemptsByIds(const Connection& c, const QStringList& ids)
{
    QVariantList values;
    QHash<QString, std::size_t> byId;
    std::vector<StoredAttempt> attempts;
    for (const QString& id : ids) {
        // A local file may hold an id that is not a UUID (edited by hand); a server cannot.
        if ((c.Kind != Backend::Postgres || IsUuid(id)) && !byId.contains(id)) {
            byId.insert(id, attempts.size());
            attempts.emplace_back();
            values << id;
        }
    }
    if (values.isEmpty()) {
        return {};
    }
    const QSqlDatabase db = DatabaseNamed(c.Name);
    const QString among = QStringLiteral(" IN (%1)").arg(Placeholders(values.size()));
    std::vector<bool> found(attempts.size(), false);
    QSqlQuery q =
        RunSql(db, SelectAttempts(c) + QStringLiteral(" WHERE id") + among, values, kReadFailed);
    ForEachLine(q, [&](const QSqlQuery& line) {
        StoredAttempt a = AttemptFromQuery(line, c.Kind);
        const auto place = byId.constFind(a.Id);
        if (place != byId.constEnd()) {
            found.at(place.value()) = true;
            attempts.at(place.value()) = std::move(a);
        }
    });
    q.finish();
    QSqlQuery rows = RunSql(db, SelectRows(c.Kind) + QStringLiteral(" WHERE attempt_id") + among,
                            values, kReadFailed);
    RowsSeen seen;
    ForEachLine(rows, [&](const QSqlQuery& line) {
        const auto place = byId.constFind(line.value(0).toString());
        if (place != byId.constEnd()) {
            RowFromQuery(line, attempts.at(place.value()), seen);
        }
    });
    std::vector<StoredAttempt> kept;
    kept.reserve(attempts.size());
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        if (found.at(i)) {
            CheckAllRows(attempts.at(i), seen);
            kept.push_back(std::move(attempts.at(i)));
        }
    }
    return kept;
}

namespace {

int DeleteOn(const Connection& c, const QStringList& ids)
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
        if (!outbox->prepare(QStringLiteral("DELETE FROM outbox WHERE attempt_id = ?"))) {
            ThrowSqlError(kDeleteFailed, outbox->lastError().text());
        }
    }
    int deleted = 0;
    for (const QString& id : ids) {
        // An id that is not a UUID is found only in a local file, where it is deleted like
        // any other; the server could not hold it.
        if (c.Kind == Backend::Postgres && !IsUuid(id)) {
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

} // namespace

int DeleteAttempts(const Connection& c, const QStringList& ids)
{
    if (!IsReadOnly(c)) {
        return DeleteOn(c, ids);
    }
    // A journal opened for reading is written through a second connection made for this
    // delete only and closed after it.
    const OpenResult writable = OpenForChange(c);
    if (!writable.Db) {
        throw JournalError(
            QStringLiteral("%1: %2").arg(kDeleteFailed, writable.Problem).toStdString());
    }
    int deleted = 0;
    try {
        deleted = DeleteOn(*writable.Db, ids);
    } catch (const JournalError&) {
        CloseConnection(*writable.Db);
        throw;
    }
    CloseConnection(*writable.Db);
    return deleted;
}

} // namespace journal
