// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/chart_data.h"

#include "journal/journal_error.h"
#include "teacher/attempt_texts.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace teacher {

namespace {

// The filter's condition with one more condition joined by AND; the filter's own is kept in
// parentheses so that its ORs (if any) stay its own.
journal::SqlCondition With(journal::SqlCondition condition, const QString& extra)
{
    static const QString kWhere = QStringLiteral(" WHERE ");
    if (condition.Where.trimmed().isEmpty()) {
        condition.Where = kWhere + extra;
    } else {
        const QString own = condition.Where.trimmed().mid(kWhere.trimmed().size());
        condition.Where = kWhere + QLatin1Char('(') + own + QStringLiteral(") AND ") + extra;
    }
    return condition;
}

QSqlQuery Run(const journal::Connection& c, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(c.Name, false));
    query.setForwardOnly(true);
    bool ran = query.prepare(sql);
    if (ran) {
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        ran = query.exec();
    }
    if (!ran) {
        throw journal::JournalError(QStringLiteral("Не удалось посчитать данные для диаграмм: %1")
                                        .arg(query.lastError().text())
                                        .toStdString());
    }
    return query;
}

} // namespace

MarkCounts CountMarks(const journal::Connection& c, const journal::AttemptFilter& f)
{
    const journal::SqlCondition condition =
        With(journal::ConditionFor(f, c.Kind), QStringLiteral("mark IS NOT NULL"));
    QSqlQuery query = Run(c,
                          QStringLiteral("SELECT mark, COUNT(*) FROM attempt") + condition.Where +
                              QStringLiteral(" GROUP BY mark"),
                          condition.Values);
    MarkCounts counts{};
    while (query.next()) {
        const auto listed =
            std::find(kMarksListed.begin(), kMarksListed.end(), query.value(0).toInt());
        if (listed != kMarksListed.end()) {
            counts.at(static_cast<std::size_t>(listed - kMarksListed.begin())) =
                query.value(1).toLongLong();
        }
    }
    return counts;
}

RowShares ShareRightPerRow(const journal::Connection& c, const journal::AttemptFilter& f)
{
    const journal::SqlCondition condition = journal::ConditionFor(f, c.Kind);
    QSqlQuery query = Run(c,
                          QStringLiteral("SELECT row_no, SUM(CASE WHEN verdict THEN 1 ELSE 0 END), "
                                         "COUNT(verdict) FROM attempt_row WHERE attempt_id IN "
                                         "(SELECT id FROM attempt") +
                              condition.Where + QStringLiteral(") GROUP BY row_no"),
                          condition.Values);
    RowShares shares{};
    while (query.next()) {
        const int row = query.value(0).toInt();
        if (row >= 0 && row < engine::kAttemptRows) {
            shares.at(static_cast<std::size_t>(row)) = {query.value(1).toLongLong(),
                                                        query.value(2).toLongLong()};
        }
    }
    return shares;
}

std::vector<MarkPoint> MarksOverTime(const journal::Connection& c, const journal::AttemptFilter& f,
                                     const QString& pupil)
{
    journal::AttemptFilter dates;
    dates.From = f.From;
    dates.To = f.To;
    journal::SqlCondition condition = With(journal::ConditionFor(dates, c.Kind),
                                           QStringLiteral("pupil = ? AND mark IS NOT NULL"));
    condition.Values << pupil;
    QSqlQuery query = Run(c,
                          QStringLiteral("SELECT started_at, mark FROM attempt") + condition.Where +
                              QStringLiteral(" ORDER BY started_at, id"),
                          condition.Values);
    std::vector<MarkPoint> points;
    while (query.next()) {
        points.push_back({StoredTime(query.value(0)), query.value(1).toInt()});
    }
    return points;
}

} // namespace teacher
