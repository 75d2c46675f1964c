// SPDX-License-Identifier: GPL-3.0-or-later
// Which attempts a list, an export or a deletion is about, and the WHERE clause that picks
// them out of the `attempt` table on either kind of database.
//
// It runs no query itself; the values go to a prepared statement as bound values, never into
// the SQL text.
#pragma once

#include "journal/backend.h"

#include <QDate>
#include <QString>
#include <QVariantList>

namespace journal {

struct AttemptFilter {
    QDate From, To;         // local dates, inclusive; an invalid date leaves that side open
    QString PupilContains;  // case-insensitive (Cyrillic too) part of the pupil's name; empty = all
    QString ClassName = {}; // the attempts' class exactly; empty = all (a journal with the roster)
};

// Where: "" or " WHERE …" with ? placeholders, over table `attempt` (its columns unqualified);
// Values: what to bind to the placeholders, in order.
struct SqlCondition {
    QString Where;
    QVariantList Values;
};

SqlCondition ConditionFor(const AttemptFilter& filter, Backend backend);

// A pupil's name as the local journal's search column keeps it (Unicode case folding), so
// that "иВАНОВ" finds "Иванов" without the database knowing Cyrillic.
QString FoldedName(const QString& name);

} // namespace journal
