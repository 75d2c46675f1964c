// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/export_tasks.h"

#include "engine/practice_sheet.h"
#include "journal/csv_export.h"
#include "journal/journal_error.h"
#include "journal/xlsx_export.h"
#include "teacher/attempt_texts.h"
#include "teacher/list_pages.h"
#include "teacher/mistake_data.h"
#include "teacher/mistake_pages.h"
#include "teacher/practice_sheet_document.h"
#include "teacher/printed_documents.h"
#include "teacher/teacher_words.h"
#include "teacher/workbook_sheets.h"
#include "teacher/writer_thread.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace teacher {

namespace {

journal::JournalError NotSaved(const QString& path, const QString& why)
{
    return journal::JournalError(words::FileNotSaved(path, why).toStdString());
}

void Open(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly)) {
        throw NotSaved(file.fileName(), file.errorString());
    }
}

void Commit(QSaveFile& file)
{
    if (!file.commit()) {
        throw NotSaved(file.fileName(), file.errorString());
    }
}

const journal::Connection& JournalOf(const JobContext& context)
{
    if (context.Journal() == nullptr) {
        throw journal::JournalError(words::JournalNotOpen().toStdString());
    }
    return *context.Journal();
}

// Every attempt of the list in its order, with the progress said and a stop honoured between
// batches.
template <typename Each>
void ForEachListed(JobContext& context, const ListRequest& request, Each each)
{
    ReadListedAttempts(
        JournalOf(context), request,
        [&](const std::vector<journal::StoredAttempt>& batch, long long done, long long total) {
            context.StopIfCancelled();
            for (const journal::StoredAttempt& a : batch) {
                each(a);
            }
            context.Progress(done + static_cast<long long>(batch.size()), total);
            return true;
        });
    context.StopIfCancelled();
}

void WritePdfAttempt(const journal::StoredAttempt& attempt, QPagedPaintDevice& device)
{
    if (!PrintAttempt(attempt, device)) {
        throw journal::JournalError(words::PageNotPainted().toStdString());
    }
}

void SetUpPdf(QPdfWriter& writer, const QString& title)
{
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("fraction-test"));
    writer.setResolution(300);
    SetUpA4(writer);
}

} // namespace

void PaintList(const journal::Connection& c, const ListRequest& request, QPagedPaintDevice& device,
               JobContext* context)
{
    ListPages pages(device, ListTable(request.Filter, request.Totals), request.Totals.Count);
    if (!pages.Begin()) {
        throw journal::JournalError(words::PagesNotPainted().toStdString());
    }
    try {
        ReadListedAttempts(
            c, request,
            [&](const std::vector<journal::StoredAttempt>& batch, long long done, long long total) {
                if (context != nullptr) {
                    context->StopIfCancelled();
                }
                for (const journal::StoredAttempt& a : batch) {
                    pages.Add(ListRowTexts(a));
                }
                if (context != nullptr) {
                    context->Progress(done + static_cast<long long>(batch.size()), total);
                }
                return true;
            });
        if (context != nullptr) {
            context->StopIfCancelled();
        }
    } catch (const JobCancelled&) {
        pages.Abandon();
        throw;
    }
    pages.Finish();
}

void PaintMistakes(const journal::Connection& c, const ListRequest& request,
                   QPagedPaintDevice& device, JobContext* context)
{
    // Oldest first, the order a pupil's habits are counted in; the list's own order does not
    // change what is counted.
    ListRequest oldestFirst = request;
    oldestFirst.SortColumn = AttemptListModel::Started;
    oldestFirst.Order = Qt::AscendingOrder;
    MistakeCounter counter;
    ReadListedAttempts(
        c, oldestFirst,
        [&](const std::vector<journal::StoredAttempt>& batch, long long done, long long total) {
            if (context != nullptr) {
                context->StopIfCancelled();
            }
            for (const journal::StoredAttempt& a : batch) {
                counter.Add(a);
            }
            if (context != nullptr) {
                context->Progress(done + static_cast<long long>(batch.size()), total);
            }
            return true;
        });
    if (context != nullptr) {
        context->StopIfCancelled();
    }
    if (PaintMistakePages(counter.Result(), MistakeHeadLines(request.Filter, request.Totals),
                          device) == 0) {
        throw journal::JournalError("Страницы не удалось нарисовать.");
    }
}

ExportJob::Work CsvWork(ListRequest request, QString path, QChar separator)
{
    return [request = std::move(request), path = std::move(path), separator](JobContext& context) {
        QSaveFile file(path);
        Open(file);
        const QString lineEnd = QStringLiteral("\r\n");
        const auto write = [&](const QString& text) {
            const QByteArray bytes = text.toUtf8();
            if (file.write(bytes) != bytes.size()) {
                throw NotSaved(path, file.errorString());
            }
        };
        write(QString(QChar(0xFEFF)) + journal::CsvLine(journal::CsvHeader(), separator) + lineEnd);
        ForEachListed(context, request, [&](const journal::StoredAttempt& a) {
            write(journal::CsvLine(journal::CsvFields(a), separator) + lineEnd);
        });
        Commit(file);
        return words::ListSaved(path);
    };
}

ExportJob::Work XlsxWork(ListRequest request, QString path, WorkbookSheets sheets)
{
    return [request = std::move(request), path = std::move(path),
            sheets = std::move(sheets)](JobContext& context) {
        journal::XlsxListWriter writer(path);
        engine::MistakeTally tally;
        {
            // The lines are judged and written on a thread of their own while the next batch is
            // read; a stop or a failure ends that thread before the workbook is dropped.
            WriterThread lines([&](const journal::StoredAttempt& a) {
                const engine::AttemptReview review = writer.Add(a);
                if (sheets.Mistakes) {
                    // Counted as the answers earn, as the «Типичные ошибки» tab counts them.
                    tally.Add(a.Pupil.toStdString(), engine::AsJudged(a.Record, review));
                }
            });
            ReadListedAttempts(
                JournalOf(context), request,
                [&](std::vector<journal::StoredAttempt>& batch, long long done, long long total) {
                    context.StopIfCancelled();
                    const auto given = static_cast<long long>(batch.size());
                    lines.Give(std::move(batch));
                    context.Progress(done + given, total);
                    return true;
                });
            context.StopIfCancelled();
            lines.Finish();
        }
        if (sheets.Class) {
            writer.AddSheet(ClassWorksheet(*sheets.Class));
        }
        if (sheets.Mistakes) {
            writer.AddSheet(MistakesWorksheet(tally));
        }
        writer.Commit();
        return words::ListSaved(path);
    };
}

ExportJob::Work ListPdfWork(ListRequest request, QString path)
{
    return [request = std::move(request), path = std::move(path)](JobContext& context) {
        QSaveFile file(path);
        Open(file);
        {
            QPdfWriter writer(&file);
            SetUpPdf(writer, words::WindowTitle());
            PaintList(JournalOf(context), request, writer, &context);
        }
        Commit(file);
        return words::ListSaved(path);
    };
}

ExportJob::Work AttemptPdfWork(journal::StoredAttempt attempt, QString path)
{
    return [attempt = std::move(attempt), path = std::move(path)](JobContext& context) {
        QSaveFile file(path);
        Open(file);
        {
            QPdfWriter writer(&file);
            SetUpPdf(writer, words::AttemptDocumentTitle(ShownName(attempt.Pupil)));
            WritePdfAttempt(attempt, writer);
        }
        context.StopIfCancelled();
        Commit(file);
        return words::AttemptSaved(path);
    };
}

ExportJob::Work ClassPdfWork(ClassSheet sheet, QString path)
{
    return [sheet = std::move(sheet), path = std::move(path)](JobContext& context) {
        QSaveFile file(path);
        Open(file);
        {
            QPdfWriter writer(&file);
            SetUpPdf(writer, QStringLiteral("Результаты класса %1").arg(sheet.ClassName));
            PaintClass(sheet, writer, &context);
        }
        Commit(file);
        return QStringLiteral("Класс сохранён: %1").arg(path);
    };
}

ExportJob::Work MistakesPdfWork(ListRequest request, QString path)
{
    return [request = std::move(request), path = std::move(path)](JobContext& context) {
        QSaveFile file(path);
        Open(file);
        {
            QPdfWriter writer(&file);
            SetUpPdf(writer, QStringLiteral("Типичные ошибки"));
            PaintMistakes(JournalOf(context), request, writer, &context);
        }
        context.StopIfCancelled();
        Commit(file);
        return QStringLiteral("Типичные ошибки сохранены: %1").arg(path);
    };
}

ExportJob::Work MistakesPrintWork(ListRequest request, std::shared_ptr<QPrinter> printer)
{
    return [request = std::move(request), printer = std::move(printer)](JobContext& context) {
        // Counted before anything is painted: a stop while counting sends the printer nothing.
        PaintMistakes(JournalOf(context), request, *printer, &context);
        return QStringLiteral("Типичные ошибки отправлены на печать.");
    };
}

ExportJob::Work ListPrintWork(ListRequest request, std::shared_ptr<QPrinter> printer)
{
    return [request = std::move(request), printer = std::move(printer)](JobContext& context) {
        PaintList(JournalOf(context), request, *printer, &context);
        return words::ListPrinted();
    };
}

ExportJob::Work AttemptPrintWork(journal::StoredAttempt attempt, std::shared_ptr<QPrinter> printer)
{
    return [attempt = std::move(attempt), printer = std::move(printer)](JobContext&) {
        WritePdfAttempt(attempt, *printer);
        return words::AttemptPrinted();
    };
}

ExportJob::Work ClassPrintWork(ClassSheet sheet, std::shared_ptr<QPrinter> printer)
{
    return [sheet = std::move(sheet), printer = std::move(printer)](JobContext& context) {
        PaintClass(sheet, *printer, &context);
        return QStringLiteral("Класс отправлен на печать.");
    };
}

ExportJob::Work PracticeSheetPrintWork(QString pupil, engine::PracticeSheet sheet,
                                       std::shared_ptr<QPrinter> printer)
{
    return [pupil = std::move(pupil), sheet = std::move(sheet),
            printer = std::move(printer)](JobContext&) {
        PrintPracticeSheet(pupil, sheet, *printer);
        return QStringLiteral("Лист для тренировки отправлен на печать.");
    };
}

} // namespace teacher
