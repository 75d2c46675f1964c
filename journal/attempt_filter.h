// SPDX-License-Identifier: GPL-3.0-or-later
// Which attempts a list, an export or a deletion is about, and the WHERE clause that picks
// them out of the `attempt` table on either kind of database: the days, a part of the pupil's
// name (case and е/ё alike), how the attempt ended and the computer it ran on.
//
// It runs no query itself; the values go to a prepared statement as bound values, never into
// the SQL text.
#pragma once

#include "engine/attempt_record.h"
#include "journal/backend.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <optional>

namespace journal {

struct AttemptFilter {
    QDate From, To;        // local dates, inclusive; an invalid date leaves that side open
    QString PupilContains; // part of the pupil's name, any case, е and ё alike; empty = all
    std::optional<engine::AttemptEnd> Ending{}; // how the attempt ended; none = any way
    QString Host{}; // the computer's name as stored (compared within the shown length); empty = all
    QString ClassName = {}; // the attempts' class exactly; empty = all (a journal with the roster)
    // With ClassName: the attempts recorded without a class as well (taken on an account the
    // roster does not know, or before the roster), for a caller that matches them by name.
    bool AlsoWithoutClass = false;

    friend bool operator==(const AttemptFilter&, const AttemptFilter&) = default;
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

// What a typed part of a name is searched as: folded, with ё written е (the search column's
// ё is read as е too), so that "федоров" finds "Фёдоров" and "Фёдоров" finds "Федоров".
QString SearchedName(const QString& typed);

} // namespace journal
