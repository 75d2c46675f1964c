// SPDX-License-Identifier: GPL-3.0-or-later
// What each export and print job does on its own thread (see export_job.h): the list as CSV
// (the journal's format, with commas or semicolons), as .xlsx or as PDF pages, one attempt as
// PDF, the class view as PDF (class_pages.h), the typical mistakes in the list's attempts as PDF
// pages, and any of these printed, as is a practice sheet made beforehand. The list is read as
// the window shows it (listed_attempts.h); every file is written through QSaveFile or its like
// and appears only when the job ends well.
//
// CsvWork, XlsxWork, ListPdfWork, AttemptPdfWork, ClassPdfWork, ListPrintWork, AttemptPrintWork,
// ClassPrintWork, MistakesPdfWork, MistakesPrintWork, PracticeSheetPrintWork
// WorkbookSheets   the .xlsx's sheets beside the list
// PaintList        the list's pages on any paged device (the works above, and the print preview)
// PaintMistakes    the typical mistakes' pages, likewise
//
// It shows no dialog and chooses no file or printer.
#pragma once

#include "journal/class_results.h"
#include "journal/stored_attempt.h"
#include "teacher/class_pages.h"
#include "teacher/export_job.h"
#include "teacher/listed_attempts.h"

#include <QChar>

#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPrinter;

namespace engine {
struct PracticeSheet;
}

namespace teacher {

// The sheets after «Список»: «Класс» with these lines when given, and «Типичные ошибки» counted
// from the listed attempts when asked for.
struct WorkbookSheets {
    std::optional<journal::ClassResults> Class;
    bool Mistakes = false;
};

ExportJob::Work CsvWork(ListRequest request, QString path, QChar separator);
ExportJob::Work XlsxWork(ListRequest request, QString path, WorkbookSheets sheets = {});
ExportJob::Work ListPdfWork(ListRequest request, QString path);
ExportJob::Work AttemptPdfWork(journal::StoredAttempt attempt, QString path);
ExportJob::Work ClassPdfWork(ClassSheet sheet, QString path);
ExportJob::Work ListPrintWork(ListRequest request, std::shared_ptr<QPrinter> printer);
ExportJob::Work AttemptPrintWork(journal::StoredAttempt attempt, std::shared_ptr<QPrinter> printer);
ExportJob::Work ClassPrintWork(ClassSheet sheet, std::shared_ptr<QPrinter> printer);

ExportJob::Work MistakesPdfWork(ListRequest request, QString path);
ExportJob::Work MistakesPrintWork(ListRequest request, std::shared_ptr<QPrinter> printer);
ExportJob::Work PracticeSheetPrintWork(QString pupil, engine::PracticeSheet sheet,
                                       std::shared_ptr<QPrinter> printer);

// Reads the list on `c` and paints it; `context`, when given, gets the progress and may stop it.
// Throws journal::JournalError when the journal cannot be read or the device painted on.
void PaintList(const journal::Connection& c, const ListRequest& request, QPagedPaintDevice& device,
               JobContext* context);
// Counts the mistakes in the list's attempts on `c`, read a batch at a time, and paints their
// pages; `context` as for PaintList. Throws as PaintList does.
void PaintMistakes(const journal::Connection& c, const ListRequest& request,
                   QPagedPaintDevice& device, JobContext* context);

} // namespace teacher
