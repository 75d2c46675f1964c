// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_list_model.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_error.h"
#include "journal/stored_attempt.h"
#include "teacher/attempt_texts.h"
#include "teacher/teacher_words.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <array>
#include <utility>

namespace teacher {

namespace {

// The selected columns, in the model's column order (the check's place taken by the ending,
// which the check replaces when shown), then the server's stamp (an empty value in a local
// journal, which has none and does not show the column), with the id last (not shown). Texts
// are read no longer than the journal keeps them, whatever a file holds.
QString Select(journal::Backend backend)
{
    return QStringLiteral("SELECT substr(pupil, 1, %1), substr(host, 1, %1), started_at, "
                          "seconds_used, ending, right_count, mark, ending, %2, id FROM attempt")
        .arg(journal::kMaxNameLength + 1)
        .arg(backend == journal::Backend::Postgres ? QStringLiteral("received_at")
                                                   : QStringLiteral("NULL"));
}
constexpr int kIdField = AttemptListModel::IdField;

// What each column is ordered by: fixed SQL, never anything typed. How an attempt ended is
// ordered by its Russian text: время вышло, идёт, прерван, сдан.
QString OrderExpression(int column)
{
    switch (column) {
    case AttemptListModel::Pupil:
        return QStringLiteral("pupil");
    case AttemptListModel::Host:
        return QStringLiteral("host");
    case AttemptListModel::Duration:
        return QStringLiteral("seconds_used");
    case AttemptListModel::Ending:
        return QStringLiteral("CASE ending WHEN 'timed_out' THEN 1 WHEN 'running' THEN 2 "
                              "WHEN 'interrupted' THEN 3 ELSE 4 END");
    case AttemptListModel::RightCount:
        return QStringLiteral("right_count");
    case AttemptListModel::Mark:
    case AttemptListModel::Check:
        return QStringLiteral("mark");
    case AttemptListModel::Received:
        return QStringLiteral("received_at");
    default:
        return QStringLiteral("started_at");
    }
}

QString OrderBy(int column, Qt::SortOrder order)
{
    const QString direction =
        order == Qt::AscendingOrder ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QString clause = QStringLiteral(" ORDER BY ");
    // Both databases agree on where empty values go only when told.
    if (column == AttemptListModel::RightCount || column == AttemptListModel::Mark ||
        column == AttemptListModel::Check || column == AttemptListModel::Received) {
        clause += OrderExpression(column) + QStringLiteral(" IS NULL, ");
    }
    clause += OrderExpression(column) + direction;
    // By time alone the index on started_at gives the rows in order, so the first screenful
    // comes without sorting the whole journal; attempts never start in the same millisecond.
    if (column != AttemptListModel::Started) {
        clause += QStringLiteral(", started_at DESC");
    }
    return clause;
}

QSqlQuery Prepared(const journal::Connection& connection, const QString& sql,
                   const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(connection.Name, false));
    if (!query.prepare(sql)) {
        return query;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    query.exec();
    return query;
}

} // namespace

QString ReadProblemText(const QSqlError& error)
{
    // 42501: the server refused the role the right to read (a pupils' computer's role).
    if (error.nativeErrorCode() == QLatin1String("42501")) {
        return words::NoRightToRead();
    }
    return words::CannotRead(error.text().trimmed());
}

QString ListQueryText(const journal::SqlCondition& condition, int column, Qt::SortOrder order,
                      journal::Backend backend)
{
    return Select(backend) + condition.Where + OrderBy(column, order);
}

std::optional<long long> CountAllAttempts(const journal::Connection& connection)
{
    return CountAttempts(connection, {});
}

std::optional<long long> CountAttempts(const journal::Connection& connection,
                                       const journal::AttemptFilter& filter)
{
    const journal::SqlCondition condition = journal::ConditionFor(filter, connection.Kind);
    QSqlQuery query =
        Prepared(connection, QStringLiteral("SELECT COUNT(*) FROM attempt") + condition.Where,
                 condition.Values);
    if (!query.isActive() || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

words::HidingConditions WhatHidesAttempts(const journal::Connection& connection,
                                          const journal::AttemptFilter& filter)
{
    const auto showsSome = [&](const journal::AttemptFilter& without) {
        return CountAttempts(connection, without).value_or(0) > 0;
    };
    words::HidingConditions hiding;
    if (filter.From.isValid() || filter.To.isValid()) {
        journal::AttemptFilter without = filter;
        without.From = without.To = QDate();
        hiding.Days = showsSome(without);
    }
    if (!filter.PupilContains.isEmpty()) {
        journal::AttemptFilter without = filter;
        without.PupilContains.clear();
        hiding.Pupil = showsSome(without);
    }
    if (filter.Ending) {
        journal::AttemptFilter without = filter;
        without.Ending.reset();
        hiding.Ending = showsSome(without);
    }
    if (!filter.Host.isEmpty()) {
        journal::AttemptFilter without = filter;
        without.Host.clear();
        hiding.Host = showsSome(without);
    }
    return hiding;
}

QStringList ComputersInJournal(const journal::Connection& connection)
{
    QSqlQuery query =
        Prepared(connection,
                 QStringLiteral("SELECT DISTINCT substr(host, 1, %1) FROM attempt ORDER BY 1")
                     .arg(journal::kMaxNameLength + 1),
                 {});
    QStringList computers;
    while (query.next()) {
        computers << query.value(0).toString();
    }
    return computers;
}

AttemptListModel::AttemptListModel(journal::Connection connection, QObject* parent)
    : QSqlQueryModel(parent), connection_(std::move(connection))
{}

bool AttemptListModel::SetFilter(const journal::AttemptFilter& filter)
{
    filter_ = filter;
    return Run();
}

bool AttemptListModel::Refresh()
{
    return Run();
}

void AttemptListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount()) {
        return;
    }
    SetOrder(column, order);
    Run();
}

void AttemptListModel::SetOrder(int column, Qt::SortOrder order)
{
    // A server's list sorts by its stamp too.
    if (column >= 0 && column < columnCount()) {
        sortColumn_ = column;
        sortOrder_ = order;
    }
}

bool AttemptListModel::Run()
{
    const journal::SqlCondition condition = journal::ConditionFor(filter_, connection_.Kind);
    problem_.clear();
    totals_ = {};
    reviews_.clear();

    QSqlQuery totals = Prepared(
        connection_, QStringLiteral("SELECT COUNT(*), AVG(mark) FROM attempt") + condition.Where,
        condition.Values);
    if (totals.isActive() && totals.next()) {
        totals_.Count = totals.value(0).toLongLong();
        if (!totals.isNull(1)) {
            totals_.AverageMark = totals.value(1).toDouble();
        }
    }

    QSqlQuery rows =
        Prepared(connection_, ListQueryText(condition, sortColumn_, sortOrder_, connection_.Kind),
                 condition.Values);
    const QSqlError error = rows.isActive() ? totals.lastError() : rows.lastError();
    if (error.isValid()) {
        problem_ = ReadProblemText(error);
        totals_ = {};
        clear();
        emit Reloaded();
        return false;
    }
    setQuery(std::move(rows));
    emit Reloaded();
    return true;
}

QString AttemptListModel::AttemptId(int row) const
{
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    // Past the shown columns, so asked of the query model itself.
    return QSqlQueryModel::data(createIndex(row, kIdField), Qt::DisplayRole).toString();
}

void AttemptListModel::FetchAll()
{
    while (canFetchMore()) {
        fetchMore();
    }
}

int AttemptListModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) {
        return 0;
    }
    return connection_.Kind == journal::Backend::Postgres ? Received + 1 : ColumnCount;
}

QVariant AttemptListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            index.column() == Duration || index.column() == RightCount || index.column() == Mark;
        return QVariant::fromValue(
            Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    if (role == Qt::UserRole) {
        return QSqlQueryModel::data(index, Qt::DisplayRole);
    }
    // A long check («не сходится: …») is cut by its column; the tooltip has all of it.
    if (role == Qt::ToolTipRole && index.column() == Check) {
        return ReviewOf(index.row()).CheckText;
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    const QVariant value = QSqlQueryModel::data(index, Qt::DisplayRole);
    switch (index.column()) {
    case Started:
        return DateTimeText(StoredTime(value));
    case Received:
        return value.isNull() ? QStringLiteral("—") : DateTimeText(StoredTime(value));
    case Duration:
        return DurationText(value.toInt());
    case Ending: {
        const auto end = journal::EndingFromCode(value.toString());
        return end ? journal::EndingText(*end) : value.toString();
    }
    case RightCount:
    case Mark: {
        const std::optional<int>& earned = index.column() == RightCount
                                               ? ReviewOf(index.row()).RightCount
                                               : ReviewOf(index.row()).Mark;
        return earned ? QString::number(*earned) : QStringLiteral("—");
    }
    case Check:
        return ReviewOf(index.row()).CheckText;
    case Pupil:
    case Host:
        return ShownName(value.toString());
    default:
        return value.toString();
    }
}

const AttemptListModel::RowReview& AttemptListModel::ReviewOf(int row) const
{
    const QString id = AttemptId(row);
    const auto found = reviews_.constFind(id);
    if (found != reviews_.constEnd()) {
        return *found;
    }
    RowReview review;
    try {
        if (const std::optional<journal::StoredAttempt> attempt =
                journal::LoadAttempt(connection_, id)) {
            const engine::AttemptReview judged = journal::CheckAttempt(*attempt);
            review = {judged.RightCount, judged.Mark, journal::CheckTextOf(judged),
                      judged.Agrees()};
        } else {
            review.CheckText = words::CheckUnreadable();
        }
    } catch (const journal::JournalError& error) {
        review.CheckText = words::CheckFailed(QString::fromUtf8(error.what()));
    }
    return *reviews_.insert(id, review);
}

QString AttemptListModel::Heading(int column)
{
    return words::ListHeading(column);
}

QVariant AttemptListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount() &&
        (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
        return Heading(section);
    }
    return QSqlQueryModel::headerData(section, orientation, role);
}

} // namespace teacher
