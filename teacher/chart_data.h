// SPDX-License-Identifier: GPL-3.0-or-later
// The figures behind the teacher's charts over what a filter lets through: how many attempts got
// each mark and the share of judged attempts that got each of the ten exercise rows right — by
// the marks and verdicts the answers earn (attempt_check.h), over every attempt or over one
// attempt per pupil, the last or the best as the class view chooses them (class_results.h) —
// and one pupil's marks over time, counted by the database.
//
// ChartAttempts  which attempts the marks and rows charts count
// CountFigures   the marks and rows counted from attempts in hand (no journal)
// ReadFigures    the same for the attempts a filter lets through, read from the journal
// MarksOverTime  one pupil's marks, oldest first
//
// Only reads, and only counts: it draws nothing (see charts_view.h). Every function that reads
// throws journal::JournalError, in Russian, when the journal cannot be read.
#pragma once

#include "engine/attempt_record.h"
#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QDateTime>

#include <array>
#include <vector>

namespace teacher {

// Attempts with each mark: [0] is 5, [1] is 4, [2] is 3, [3] is 2, as a school report lists
// them.
using MarkCounts = std::array<long long, 4>;
inline constexpr std::array<int, 4> kMarksListed = {5, 4, 3, 2};

struct RowShare {
    long long Right = 0;
    // Attempts whose row was judged (handed in or timed out).
    long long Judged = 0;

    double Percent() const { return Judged == 0 ? 0.0 : 100.0 * double(Right) / double(Judged); }
    friend bool operator==(const RowShare&, const RowShare&) = default;
};
using RowShares = std::array<RowShare, engine::kAttemptRows>;

struct MarkPoint {
    QDateTime StartedAt; // UTC
    int Mark = 0;
    friend bool operator==(const MarkPoint&, const MarkPoint&) = default;
};

// Every attempt, so that a retake counts again; or one per pupil, their last finished attempt or
// their best. A pupil is the roster pupil an attempt is linked to, else the name in any case.
enum class ChartAttempts { Every, LastOfPupil, BestOfPupil };

struct ChartFigures {
    MarkCounts Marks{};
    RowShares Rows{};
    friend bool operator==(const ChartFigures&, const ChartFigures&) = default;
};

// An attempt without an earned mark (interrupted, or one that does not hold together) is left
// out of the marks, and out of everything when one attempt per pupil is counted.
ChartFigures CountFigures(const std::vector<journal::StoredAttempt>& attempts, ChartAttempts which);
ChartFigures ReadFigures(const journal::Connection& c, const journal::AttemptFilter& f,
                         ChartAttempts which);
// The marked attempts of the pupil named exactly `pupil` within the filter's dates, oldest
// first: the pupil's marks on any computer, whatever else the list is narrowed to (its name
// part, ending and computer are not used).
std::vector<MarkPoint> MarksOverTime(const journal::Connection& c, const journal::AttemptFilter& f,
                                     const QString& pupil);

} // namespace teacher
