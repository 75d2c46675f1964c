// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/listed_attempts.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/journal_error.h"
#include "teacher/attempt_texts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace teacher {

namespace {

// Small enough for any database's limit on bound values, large enough that the queries'
// own cost is shared by many attempts.
constexpr int kBatch = 400;

// The list's ids in its order: the same query the list runs, its id field.
QStringList ListedIds(const journal::Connection& c, const ListRequest& request)
{
    const journal::SqlCondition condition = journal::ConditionFor(request.Filter, c.Kind);
    QSqlQuery query(QSqlDatabase::database(c.Name, false));
    query.setForwardOnly(true);
    bool ran = query.prepare(ListQueryText(condition, request.SortColumn, request.Order));
    if (ran) {
        for (const QVariant& value : condition.Values) {
            query.addBindValue(value);
        }
        ran = query.exec();
    }
    if (!ran) {
        throw journal::JournalError(ReadProblemText(query.lastError()).toStdString());
    }
    QStringList ids;
    while (query.next()) {
        ids << query.value(AttemptListModel::IdField).toString();
    }
    // A read that stopped on an error is not a shorter list.
    if (query.lastError().isValid()) {
        throw journal::JournalError(ReadProblemText(query.lastError()).toStdString());
    }
    return ids;
}

} // namespace

ListRequest RequestOf(const AttemptListModel& model)
{
    return {model.Filter(), model.SortColumn(), model.SortOrder(), model.Totals()};
}

void ReadListedAttempts(const journal::Connection& c, const ListRequest& request,
                        const std::function<bool(std::vector<journal::StoredAttempt>&,
                                                 long long done, long long total)>& batch)
{
    const QStringList ids = ListedIds(c, request);
    const long long total = ids.size();
    for (qsizetype from = 0; from < ids.size(); from += kBatch) {
        std::vector<journal::StoredAttempt> read =
            journal::LoadAttemptsByIds(c, ids.mid(from, kBatch));
        if (!batch(read, from, total)) {
            return;
        }
    }
}

QStringList ListRowTexts(const journal::StoredAttempt& a)
{
    const engine::AttemptReview review = journal::CheckAttempt(a);
    const auto number = [](const std::optional<int>& n) {
        return n ? QString::number(*n) : QStringLiteral("—");
    };
    return {ShownName(a.Pupil.left(journal::kMaxNameLength + 1)),
            ShownName(a.Host.left(journal::kMaxNameLength + 1)),
            DateTimeText(a.StartedAt),
            DurationText(a.Record.SecondsUsed),
            journal::EndingText(a.Record.End),
            number(review.RightCount),
            number(review.Mark),
            journal::CheckTextOf(review)};
}

} // namespace teacher
