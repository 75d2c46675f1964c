// SPDX-License-Identifier: GPL-3.0-or-later
// The list of attempts and one attempt laid out on A4 pages with Russian headings and dates in
// the school's form, for a PDF file (QPdfWriter) or a printer (QPrinter): both are paged paint
// devices, so one layout serves both.
//
// It does not choose files or printers and does not show dialogs; the window does.
#pragma once

#include "journal/stored_attempt.h"

#include <QString>

class QPagedPaintDevice;

namespace teacher {

class AttemptListModel;

// A4 portrait with 15 mm margins.
void SetUpA4(QPagedPaintDevice& device);

// Every row the model's filter lets through, in its order (fetching the rest first), under a
// heading that says which days and which pupils they are, with their count and mean mark.
void PrintAttemptList(AttemptListModel& model, QPagedPaintDevice& device);

// One attempt as in the window: its facts, then the ten exercises with stacked fractions and
// the verdicts in the program's colours. False if the device could not be painted on.
bool PrintAttempt(const journal::StoredAttempt& attempt, QPagedPaintDevice& device);

// The same as PDF files; false if the file cannot be written.
bool WriteListPdf(AttemptListModel& model, const QString& path);
bool WriteAttemptPdf(const journal::StoredAttempt& attempt, const QString& path);

} // namespace teacher
