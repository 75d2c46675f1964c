// SPDX-License-Identifier: GPL-3.0-or-later
// The attempts of the list exactly as the window shows them — its filter and its order — read
// a few hundred at a time, for the exports and printing that need every row and not only those
// the screen has fetched; and one attempt's cells as the list writes them.
//
// ListRequest          what the list shows: filter, sort column and order, its totals
// ReadListedAttempts   every attempt of the list, in its order, batch by batch
// ListRowTexts         the cells of one attempt's line, as in the list
//
// It runs on whatever thread owns the connection it is given, and only reads.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"
#include "teacher/attempt_list_model.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace teacher {

struct ListRequest {
    journal::AttemptFilter Filter;
    int SortColumn = AttemptListModel::Started;
    Qt::SortOrder Order = Qt::DescendingOrder;
    ListTotals Totals;
};

// The request for what `model` shows now.
ListRequest RequestOf(const AttemptListModel& model);

// Calls `batch` with the list's attempts in order, a few hundred at a time, with how many were
// given before this batch and how many there are in all; it may move the attempts out of the
// batch. `batch` returns false to stop early.
// Throws journal::JournalError when the journal cannot be read.
void ReadListedAttempts(const journal::Connection& c, const ListRequest& request,
                        const std::function<bool(std::vector<journal::StoredAttempt>&,
                                                 long long done, long long total)>& batch);

// Pupil, computer, start, time used, how it ended, right answers, mark and check, as the list's
// columns show them (the answers judged again).
QStringList ListRowTexts(const journal::StoredAttempt& a);

} // namespace teacher
