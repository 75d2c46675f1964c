// SPDX-License-Identifier: GPL-3.0-or-later
// The journal as an Excel workbook (.xlsx, written with libxlsxwriter) that school spreadsheets
// open as they are: one sheet «Список», a header row that stays in view and has the
// spreadsheet's filters, then one line per attempt with the list's facts — pupil, computer,
// start and end as dates, the time used as a duration, how it ended, the right answers and the
// mark as numbers (the ones the answers earn, see attempt_check.h), the check, the attempt's id.
//
// XlsxListWriter   a workbook written one attempt at a time, in the order given
// WriteXlsx        the attempts a filter picks, in start order (for the command line)
//
// The file appears whole or not at all: the workbook is written to a hidden file beside it and
// renamed over it at the end. Stored texts go in as texts, never as formulas. It does not
// choose the journal or the file, and shows nothing.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QString>

#include <memory>

namespace journal {

class XlsxListWriter {
public:
    // Throws JournalError when the file's folder cannot be written.
    explicit XlsxListWriter(const QString& path);
    // Without Commit() the file is not created and any earlier file of that name is left alone.
    ~XlsxListWriter();
    XlsxListWriter(const XlsxListWriter&) = delete;
    XlsxListWriter& operator=(const XlsxListWriter&) = delete;

    void Add(const StoredAttempt& a);
    // Finishes the workbook and puts it in place; throws JournalError if that fails.
    void Commit();

    // The header row's names, in column order.
    static QStringList Header();

private:
    struct Workbook;
    std::unique_ptr<Workbook> book_;
};

// Throws JournalError when the journal cannot be read or the file cannot be written.
void WriteXlsx(const Connection& c, const AttemptFilter& f, const QString& path);

} // namespace journal
