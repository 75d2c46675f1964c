// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/chart_data.h"

#include "journal/attempt_check.h"
#include "journal/attempt_store.h"
#include "journal/class_results.h"
#include "journal/journal_error.h"
#include "teacher/attempt_texts.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <map>

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

ChartFigures CountFigures(const std::vector<journal::StoredAttempt>& attempts, ChartAttempts which)
{
    struct Judged {
        const journal::StoredAttempt* Attempt;
        engine::AttemptReview Review;
    };
    std::vector<Judged> counted;
    if (which == ChartAttempts::Every) {
        counted.reserve(attempts.size());
        for (const journal::StoredAttempt& a : attempts) {
            counted.push_back({&a, journal::CheckAttempt(a)});
        }
    } else {
        const journal::MarkChoice choice = which == ChartAttempts::BestOfPupil
                                               ? journal::MarkChoice::Best
                                               : journal::MarkChoice::Last;
        std::map<QString, std::size_t> chosen; // a pupil's key → their place in `counted`
        for (const journal::StoredAttempt& a : attempts) {
            engine::AttemptReview review = journal::CheckAttempt(a);
            if (!review.Mark) {
                continue;
            }
            const QString pupil =
                a.RosterPupilId.isEmpty()
                    ? QStringLiteral("name:") + a.Pupil.simplified().toCaseFolded()
                    : QStringLiteral("roster:") + a.RosterPupilId;
            const auto [place, added] = chosen.try_emplace(pupil, counted.size());
            if (added) {
                counted.push_back({&a, std::move(review)});
                continue;
            }
            Judged& so = counted.at(place->second);
            if (journal::TakesPlace(choice, *review.Mark, a.StartedAt, *so.Review.Mark,
                                    so.Attempt->StartedAt)) {
                so = {&a, std::move(review)};
            }
        }
    }
    ChartFigures figures;
    for (const Judged& j : counted) {
        if (j.Review.Mark) {
            const auto listed = std::find(kMarksListed.begin(), kMarksListed.end(), *j.Review.Mark);
            if (listed != kMarksListed.end()) {
                ++figures.Marks.at(static_cast<std::size_t>(listed - kMarksListed.begin()));
            }
        }
        for (std::size_t row = 0; row < figures.Rows.size(); ++row) {
            const std::optional<bool>& right = j.Review.Right.at(row);
            if (right) {
                ++figures.Rows.at(row).Judged;
                figures.Rows.at(row).Right += *right ? 1 : 0;
            }
        }
    }
    return figures;
}

ChartFigures ReadFigures(const journal::Connection& c, const journal::AttemptFilter& f,
                         ChartAttempts which)
{
    return CountFigures(journal::LoadAttempts(c, f), which);
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
