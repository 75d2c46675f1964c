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

QString SearchedName(const QString& typed)
{
    return FoldedName(typed).replace(QChar(0x0451), QChar(0x0435));
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
        // A plain substring search: neither instr() nor strpos() gives % or _ a meaning. The
        // stored name's ё is read as е in the query itself, so the search column holds plain
        // case folding and no journal file needs its names folded again.
        if (backend == Backend::Sqlite) {
            // SQLite's own lower() knows only ASCII, so the local journal keeps a folded copy.
            parts << QStringLiteral("instr(replace(pupil_folded, 'ё', 'е'), ?) > 0");
        } else {
            // translate() takes both cases of ё, whatever the server's lower() makes of Ё.
            parts << QStringLiteral("strpos(translate(lower(pupil), 'Ёё', 'ее'), "
                                    "translate(lower(CAST(? AS text)), 'Ёё', 'ее')) > 0");
        }
        condition.Values << SearchedName(filter.PupilContains);
    }
    if (filter.Ending) {
        parts << QStringLiteral("ending = ?");
        condition.Values << EndingCode(*filter.Ending);
    }
    if (!filter.Host.isEmpty()) {
        // Computers are listed cut to the journal's limit, so they are compared cut the same way.
        parts << QStringLiteral("substr(host, 1, %1) = ?").arg(kMaxNameLength + 1);
        condition.Values << filter.Host;
    }
    if (!filter.ClassName.isEmpty()) {
        parts << (filter.AlsoWithoutClass ? QStringLiteral("(class_name = ? OR class_name = '')")
                                          : QStringLiteral("class_name = ?"));
        condition.Values << filter.ClassName;
    }
    if (!parts.isEmpty()) {
        condition.Where = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    }
    return condition;
}

} // namespace journal
