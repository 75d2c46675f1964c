// SPDX-License-Identifier: GPL-3.0-or-later
// The journal as a CSV file a spreadsheet opens as it is: UTF-8 with a byte order mark (so
// spreadsheets do not guess another encoding), commas, CRLF line ends, fields quoted as RFC
// 4180 says. A header row, then one line per attempt in start order with every field: the
// attempt's own (times in local time, "yyyy-MM-dd HH:mm:ss"; the ending in words) and, for each
// of the ten rows, the operation, the three fractions as whole/numerator/denominator, the three
// typed texts and the verdict ("верно", "неверно", empty before judging); last, «Проверка»:
// "сходится", or "не сходится: " with what does not. The key, the verdicts, the count, the grade
// and the mark are the ones the engine gives the stored exercises and typed texts (see
// attempt_check.h), never the stored ones taken on trust. After it, for each of the ten rows,
// what a wrong answer reveals («не перевёрнут делитель; ответ не сокращён»), empty for a row
// judged right or never judged; last, «Класс» (empty when not known). New columns go at the
// end, so that a program reading the others by position is not disturbed.
//
// Free text (the attempt id, names, the version, the grade's words, the typed texts) that a
// spreadsheet would take for a formula (starting with = + - @, a TAB or a CR) or that starts
// with an apostrophe gets one leading apostrophe; a reader drops one leading apostrophe to
// recover the text. A journal that cannot be read whole gives no CSV at all, never part of one
// (WriteCsv reads everything before it writes). It does not choose the journal or the file.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/class_results.h"
#include "journal/journal_database.h"
#include "journal/stored_attempt.h"

#include <QIODevice>
#include <QStringList>

namespace journal {

// Writes the attempts the filter picks; gives the ids among them that are not attempt ids
// (IsAttemptId), which are written guarded like any free text, for the caller to report.
// Throws JournalError when the journal cannot be read or `out` cannot be written.
QStringList WriteCsv(const Connection& c, const AttemptFilter& f, QIODevice& out);

// The header row's names and one attempt's fields, in column order.
QStringList CsvHeader();
QStringList CsvFields(const StoredAttempt& a);

// A class view as CSV in the same form: a header row, then one line per pupil (surname, first
// name, mark or «не проходил(а)», seconds used, attempts), then the class's mean mark. Throws
// JournalError when `out` cannot be written.
void WriteClassCsv(const ClassResults& results, QIODevice& out);

// One line (without its CRLF) of fields quoted where needed. The separator is a comma, or a
// semicolon for a spreadsheet set up for Russian, whose decimal mark is the comma.
QString CsvLine(const QStringList& fields, QChar separator = QLatin1Char(','));

} // namespace journal
