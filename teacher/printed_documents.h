// SPDX-License-Identifier: GPL-3.0-or-later
// One attempt laid out on an A4 page with Russian headings and dates in the school's form, for a
// PDF file (QPdfWriter) or a printer (QPrinter): both are paged paint devices, so one layout
// serves both. The list's pages are list_pages.h.
//
// It does not choose files or printers and does not show dialogs; the window does.
#pragma once

#include "journal/stored_attempt.h"

#include <QString>

class QPagedPaintDevice;

namespace teacher {

// A4 portrait with 15 mm margins.
void SetUpA4(QPagedPaintDevice& device);

// One attempt as in the window: its facts, then the ten exercises with stacked fractions and
// the verdicts in the program's colours; at the foot the test's name and «Страница 1 из 1».
// False if the device could not be painted on.
bool PrintAttempt(const journal::StoredAttempt& attempt, QPagedPaintDevice& device);

} // namespace teacher
