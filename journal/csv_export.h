// SPDX-License-Identifier: GPL-3.0-or-later
// The journal as a CSV file a spreadsheet opens as it is: UTF-8 with a byte order mark (so
// spreadsheets do not guess another encoding), commas, CRLF line ends, fields quoted as RFC
// 4180 says. A header row, then one line per attempt in start order with every field: the
// attempt's own (times in local time, "yyyy-MM-dd HH:mm:ss"; the ending in words) and, for each
// of the ten rows, the operation, the three fractions as whole/numerator/denominator, the three
// typed texts and the verdict ("верно", "неверно", empty before judging); then «Проверка»:
// "сходится", or "не сходится: " with what does not; last, «Класс» (empty when not known),
// after every other column so that a reader counting columns finds the rest where they were. The
// key, the verdicts, the count, the grade and the mark are the ones the engine gives the stored
// exercises and typed texts (see attempt_check.h), never the stored ones taken on trust.
//
// Free text that a spreadsheet would take for a formula (starting with = + - @) or that starts
// with an apostrophe gets one leading apostrophe; a reader drops one leading apostrophe to
// recover the text. It does not choose the journal or the file.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/class_results.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QIODevice>
#include <QStringList>

namespace journal {

// Writes the attempts the filter picks. Throws JournalError when the journal cannot be read or
// `out` cannot be written.
void WriteCsv(const Connection& c, const AttemptFilter& f, QIODevice& out);

// The header row's names and one attempt's fields, in column order.
QStringList CsvHeader();
QStringList CsvFields(const StoredAttempt& a);

// A class view as CSV in the same form: a header row, then one line per pupil (surname, first
// name, mark or «не проходил(а)», seconds used, attempts), then the class's mean mark. Throws
// JournalError when `out` cannot be written.
void WriteClassCsv(const ClassResults& results, QIODevice& out);

// One line (without its CRLF) of fields quoted where needed.
QString CsvLine(const QStringList& fields);

} // namespace journal
