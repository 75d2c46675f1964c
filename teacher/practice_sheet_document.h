// SPDX-License-Identifier: GPL-3.0-or-later
// «Лист для тренировки» on A4: the pupil's name, each mistake explained with its worked
// example, eight exercises with room for the answers, and the answers for the teacher on a page
// of their own. For a PDF file or a printer, as the other printed documents.
//
// It lays out a sheet it is given (engine/practice_sheet.h makes it); it does not choose files
// or printers.
#pragma once

#include "engine/practice_sheet.h"
#include "journal/stored_attempt.h"

#include <QString>

class QPagedPaintDevice;

namespace teacher {

// The sheet as rich text, the answers after a page break.
QString PracticeSheetHtml(const QString& pupil, const engine::PracticeSheet& sheet);

// Prints on `device`, set up for A4 by the caller. Returns true.
bool PrintPracticeSheet(const QString& pupil, const engine::PracticeSheet& sheet,
                        QPagedPaintDevice& device);
// False if the file cannot be written.
bool WritePracticeSheetPdf(const QString& pupil, const engine::PracticeSheet& sheet,
                           const QString& path);

} // namespace teacher
