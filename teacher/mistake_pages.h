// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» view on A4 pages, for a PDF file or a printer: the pupil's mistakes
// across attempts when the attempts are one pupil's, the class's mistakes largest first with
// their pupils and rows, and each exercise row's kind, share right and most common mistake — the
// pane's own tables (mistake_tables.h). Every page is framed as the list's are (page_frame.h):
// «Типичные ошибки», the test's name, the filter the mistakes were counted for, and
// «Страница 2 из 3»; a table that runs onto the next page repeats its column headings there.
//
// MistakeHeadLines     the head's lines for a filter and the list's totals
// PaintMistakePages    lays the tables out and paints them
//
// It reads no journal and counts nothing (mistake_data.h does); the chart is not printed, its
// figures are the tables'.
#pragma once

#include "journal/attempt_filter.h"
#include "teacher/attempt_list_model.h"
#include "teacher/mistake_data.h"

#include <QStringList>

class QPagedPaintDevice;

namespace teacher {

QStringList MistakeHeadLines(const journal::AttemptFilter& filter, const ListTotals& totals);

// The number of pages painted, or 0 if the device could not be painted on (a file that cannot
// be written).
int PaintMistakePages(const ShownMistakes& shown, const QStringList& headLines,
                      QPagedPaintDevice& device);

} // namespace teacher
