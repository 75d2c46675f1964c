// SPDX-License-Identifier: GPL-3.0-or-later
// The list of attempts the teacher's window shows: a query model over the journal's `attempt`
// table restricted by a filter and ordered by any column, whose rows are fetched from the
// database as the view scrolls to them (the driver's cursor, a block at a time), not all at
// once; with the count and the mean mark of everything the filter lets through.
//
// It only reads: it never changes the journal. Names and computers are read cut to the journal's
// limit. An attempt's ten rows are loaded (journal::LoadAttempt) only for the rows shown, to
// judge them again; it draws nothing.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "teacher/teacher_words.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQueryModel>

#include <optional>

namespace teacher {

struct ListTotals {
    long long Count = 0;
    // The mean of the marks of the attempts that have one; none when no attempt has a mark.
    std::optional<double> AverageMark;
};

class AttemptListModel : public QSqlQueryModel {
    Q_OBJECT

public:
    // RightCount and Mark are the ones the answers earn and Check says whether the stored record
    // holds together («сходится», «не сходится: …»): each is worked out from the attempt's ten
    // rows when the row is first shown. These columns every journal has; a server's journal has
    // one more after them, Received: when the server took the attempt in, by its own clock.
    enum Column { Pupil, Host, Started, Duration, Ending, RightCount, Mark, Check, ColumnCount };
    static constexpr int Received = ColumnCount;
    // Where the list's query puts the attempt's id: after every column, never shown.
    static constexpr int IdField = Received + 1;

    explicit AttemptListModel(journal::Connection connection, QObject* parent = nullptr);

    // Runs the query again for `filter`, keeping the order. False, with Problem() saying why
    // in Russian, if the journal could not be read; the list is then empty.
    bool SetFilter(const journal::AttemptFilter& filter);
    bool Refresh();
    const journal::AttemptFilter& Filter() const { return filter_; }
    const QString& Problem() const { return problem_; }

    // The count and mean mark of all rows the filter lets through, fetched or not yet.
    const ListTotals& Totals() const { return totals_; }

    // The attempt's id on a (fetched) row; empty for a row outside the list.
    QString AttemptId(int row) const;

    // Ordered by `column`; ties go newest first. Attempts without a count or a mark (still
    // running, interrupted), or without the server's stamp (stored before the server kept
    // one), come last either way. The count, the mark and the check are ordered by what the
    // database holds, which is what they show for every attempt that holds together.
    void sort(int column, Qt::SortOrder order) override;
    // The order the next SetFilter uses, without reading the journal now.
    void SetOrder(int column, Qt::SortOrder order);
    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

    // A column's heading, as the list and its printed pages show it.
    static QString Heading(int column);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Fetches every remaining row (for export and print, which need the whole list).
    void FetchAll();

signals:
    // After every SetFilter/Refresh/sort, whether or not it worked.
    void Reloaded();

private:
    bool Run();

    // What the review of one attempt gives its row, kept while the query stands.
    struct RowReview {
        std::optional<int> RightCount;
        std::optional<int> Mark;
        QString CheckText;
        bool Agrees = false;
    };
    const RowReview& ReviewOf(int row) const;
    mutable QHash<QString, RowReview> reviews_;

    journal::Connection connection_;
    journal::AttemptFilter filter_;
    int sortColumn_ = Started;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
    ListTotals totals_;
    QString problem_;
};

// The list's SQL for a filter's condition ordered by `column`: the shown columns, then the id.
QString ListQueryText(const journal::SqlCondition& condition, int column, Qt::SortOrder order,
                      journal::Backend backend = journal::Backend::Sqlite);

// What to tell the teacher about a failed read, in plain Russian with what to check.
QString ReadProblemText(const QSqlError& error);

// How many attempts the whole journal holds, with no filter; nothing if it cannot be read.
std::optional<long long> CountAllAttempts(const journal::Connection& connection);
// How many attempts `filter` lets through; nothing if the journal cannot be read.
std::optional<long long> CountAttempts(const journal::Connection& connection,
                                       const journal::AttemptFilter& filter);

// Which of the filter's conditions alone keep every attempt out (for an empty list): a count
// with each condition that is set left out, one at a time.
words::HidingConditions WhatHidesAttempts(const journal::Connection& connection,
                                          const journal::AttemptFilter& filter);

// The computers the journal's attempts ran on, each once, in order; cut to the shown length.
QStringList ComputersInJournal(const journal::Connection& connection);

} // namespace teacher
