// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/attempt_filter.h"

#include "journal/stored_attempt.h"

#include <QDateTime>
#include <QStringList>
#include <QTime>

namespace journal {

namespace {

// The first moment of a local day, as the text both databases compare started_at with
// (PostgreSQL reads the 'Z' form as a timestamptz).
QString StartOfLocalDay(const QDate& day)
{
    return StorageTimeText(day.startOfDay());
}

} // namespace

QString FoldedName(const QString& name)
{
    return name.toCaseFolded();
}

SqlCondition ConditionFor(const AttemptFilter& filter, Backend backend)
{
    QStringList parts;
    SqlCondition condition;
    if (filter.From.isValid()) {
        parts << QStringLiteral("started_at >= ?");
        condition.Values << StartOfLocalDay(filter.From);
    }
    if (filter.To.isValid()) {
        parts << QStringLiteral("started_at < ?");
        condition.Values << StartOfLocalDay(filter.To.addDays(1));
    }
    if (!filter.PupilContains.isEmpty()) {
        // A plain substring search: neither instr() nor strpos() gives % or _ a meaning.
        if (backend == Backend::Sqlite) {
            // SQLite's own lower() knows only ASCII, so the local journal keeps a folded copy.
            parts << QStringLiteral("instr(pupil_folded, ?) > 0");
            condition.Values << FoldedName(filter.PupilContains);
        } else {
            parts << QStringLiteral("strpos(lower(pupil), lower(CAST(? AS text))) > 0");
            condition.Values << filter.PupilContains;
        }
    }
    if (!filter.ClassName.isEmpty()) {
        parts << QStringLiteral("class_name = ?");
        condition.Values << filter.ClassName;
    }
    if (!parts.isEmpty()) {
        condition.Where = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    }
    return condition;
}

} // namespace journal
