// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the teacher's list of 100,000 attempts: the CSV and .xlsx exports (the list alone, and
// with the «Типичные ошибки» sheet the window adds), each run as the window runs it (an export job
// on its own thread and connection, the list's order, every attempt judged again), against the time
// the sqlite3 shell takes to print the same attempts with their ten rows as CSV (`sqlite3 -csv`,
// the same WHERE and ORDER BY); and the list PDF's pages per second.
//
// Usage: bench_exports [FILE [COUNT [RUNS]]]
//   FILE is made with COUNT attempts (default 100000), all today, when it does not exist.
//   Medians of RUNS runs (default 3); the PDF of the whole list is made once.
// Run it with QT_QPA_PLATFORM=offscreen (it paints no window).
#include "bench/teacher/class_journal.h"
#include "journal/journal_database.h"
#include "teacher/attempt_list_model.h"
#include "teacher/export_job.h"
#include "teacher/export_tasks.h"
#include "teacher/list_pages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds from the job's start to its end; exits on a failed job.
double RunJob(const journal::Connection& db, teacher::ExportJob::Work work)
{
    teacher::ExportJob job(QStringLiteral("bench"), db, std::move(work));
    QEventLoop loop;
    bool ok = false;
    QString message;
    QObject::connect(&job, &teacher::ExportJob::Finished, &loop,
                     [&](bool done, const QString& said) {
                         ok = done;
                         message = said;
                         loop.quit();
                     });
    QElapsedTimer timer;
    timer.start();
    job.Start();
    loop.exec();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!ok) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(message));
        std::exit(1);
    }
    return ms;
}

// The shell printing every attempt with its rows, newest first, as CSV to /dev/null.
double ShellCsv(const QString& path)
{
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-csv"), QStringLiteral("-header"), path,
                 QStringLiteral("SELECT a.*, r.* FROM attempt AS a JOIN attempt_row AS r ON "
                                "r.attempt_id = a.id ORDER BY a.started_at DESC, r.row_no")});
    shell.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString path = args.value(1, QStringLiteral("bench-journal.sqlite"));
    const int count = args.value(2, QStringLiteral("100000")).toInt();
    const int runs = args.value(3, QStringLiteral("3")).toInt();

    if (!QFileInfo::exists(path)) {
        const journal::OpenResult made = journal::OpenSqlite(path);
        if (!made.Db) {
            std::fprintf(stderr, "%s\n", qPrintable(made.Problem));
            return 1;
        }
        std::printf("writing %d attempts to %s …\n", count, qPrintable(path));
        std::fflush(stdout);
        teacher_bench::FillClassJournal(*made.Db, count, 1);
        journal::CloseConnection(*made.Db);
    }
    const journal::OpenResult opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.Problem));
        return 1;
    }
    teacher::ListRequest request;
    {
        teacher::AttemptListModel model(*opened.Db);
        model.SetFilter({});
        request = teacher::RequestOf(model);
    }
    QTemporaryDir out;
    std::vector<double> csv, xlsx, xlsxMistakes, shell;
    for (int run = 0; run < runs; ++run) {
        csv.push_back(
            RunJob(*opened.Db, teacher::CsvWork(request, out.filePath("list.csv"), u',')));
        xlsx.push_back(RunJob(*opened.Db, teacher::XlsxWork(request, out.filePath("list.xlsx"))));
        xlsxMistakes.push_back(
            RunJob(*opened.Db, teacher::XlsxWork(request, out.filePath("mistakes.xlsx"),
                                                 {std::nullopt, true})));
        shell.push_back(ShellCsv(path));
    }
    std::printf("journal %s: %lld attempts; medians of %d runs\n", qPrintable(path),
                request.Totals.Count, runs);
    std::printf("CSV export    %9.0f ms   sqlite3 -csv %9.0f ms   ratio %.2f   (%lld bytes)\n",
                Median(csv), Median(shell), Median(csv) / Median(shell),
                static_cast<long long>(QFileInfo(out.filePath("list.csv")).size()));
    std::printf(".xlsx export  %9.0f ms   sqlite3 -csv %9.0f ms   ratio %.2f   (%lld bytes)\n",
                Median(xlsx), Median(shell), Median(xlsx) / Median(shell),
                static_cast<long long>(QFileInfo(out.filePath("list.xlsx")).size()));
    std::printf("  + mistakes  %9.0f ms   sqlite3 -csv %9.0f ms   ratio %.2f   (%lld bytes)\n",
                Median(xlsxMistakes), Median(shell), Median(xlsxMistakes) / Median(shell),
                static_cast<long long>(QFileInfo(out.filePath("mistakes.xlsx")).size()));

    const int pages = teacher::ListPageCount(request.Totals.Count, request.Filter, request.Totals);
    const double pdf = RunJob(*opened.Db, teacher::ListPdfWork(request, out.filePath("list.pdf")));
    std::printf("list PDF      %9.0f ms   %d pages   %.1f pages/s   (%lld bytes)\n", pdf, pages,
                pages / (pdf / 1000.0),
                static_cast<long long>(QFileInfo(out.filePath("list.pdf")).size()));
    journal::CloseConnection(*opened.Db);
    return 0;
}
