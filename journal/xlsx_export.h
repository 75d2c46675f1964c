// SPDX-License-Identifier: GPL-3.0-or-later
// The journal as an Excel workbook (.xlsx, written with libxlsxwriter) that school spreadsheets
// open as they are: one sheet «Список», a header row that stays in view and has the
// spreadsheet's filters, then one line per attempt with the list's facts — pupil, computer,
// start and end as dates, the time used as a duration, how it ended, the right answers and the
// mark as numbers (the ones the answers earn, see attempt_check.h), the check, the attempt's id.
//
// XlsxCell, XlsxTable, XlsxSheet   a further sheet's cells, laid out by the caller
// XlsxListWriter   a workbook written one attempt at a time, in the order given, and any
//                  further sheets after «Список»
// WriteXlsx        the attempts a filter picks, in start order (for the command line)
//
// The file appears whole or not at all: the workbook is written to a hidden file beside it and
// renamed over it at the end. Stored texts go in as texts, never as formulas. It does not
// choose the journal or the file, words no further sheet (their callers do), and shows nothing.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include "engine/attempt_review.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace journal {

// One cell of a further sheet: nothing, a text, a number, a share (0.25 shown as 25 %) or a
// duration in seconds.
struct XlsxCell {
    enum class Kind { Empty, Text, Number, Percent, Duration };
    Kind What = Kind::Empty;
    QString Text;
    double Value = 0;

    static XlsxCell Words(const QString& text) { return {Kind::Text, text, 0}; }
    static XlsxCell Count(double value) { return {Kind::Number, {}, value}; }
    static XlsxCell Share(double fraction) { return {Kind::Percent, {}, fraction}; }
    static XlsxCell Seconds(double seconds) { return {Kind::Duration, {}, seconds}; }
};

// A heading line (bold) and the lines under it.
struct XlsxTable {
    QStringList Header;
    std::vector<std::vector<XlsxCell>> Lines;
};

// A sheet of tables one under another with an empty line between them; the first table's heading
// stays in view and has the spreadsheet's filters. Widths in characters, by column.
struct XlsxSheet {
    QString Name;
    std::vector<double> Widths;
    std::vector<XlsxTable> Tables;
};

class XlsxListWriter {
public:
    // Throws JournalError when the file's folder cannot be written.
    explicit XlsxListWriter(const QString& path);
    // Without Commit() the file is not created and any earlier file of that name is left alone.
    ~XlsxListWriter();
    XlsxListWriter(const XlsxListWriter&) = delete;
    XlsxListWriter& operator=(const XlsxListWriter&) = delete;

    // Writes the attempt's line and gives the review its right answers and mark come from.
    engine::AttemptReview Add(const StoredAttempt& a);
    // A further sheet after those already added; throws JournalError when it cannot be written.
    void AddSheet(const XlsxSheet& sheet);
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
