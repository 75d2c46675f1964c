// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» tab's work on a journal of 100,000 attempts, beside the marks chart's
// over the same attempts: counting the marks (the database counts), reading every attempt with
// its ten rows, diagnosing and counting them, and the two together as the tab does them.
//
// Usage: bench_class_mistakes [FILE [COUNT [RUNS]]]
//   FILE is made with COUNT attempts (default 100000), all today, when it does not exist.
//   Medians of RUNS runs (default 5), in milliseconds of wall-clock and of processor time.
#include "bench/teacher/class_journal.h"
#include "journal/attempt_filter.h"
#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "teacher/chart_data.h"
#include "teacher/mistake_data.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct Times {
    double wall = 0; // ms
    double cpu = 0;  // ms of this process's processor time, all threads
};

// Medians of the wall-clock and processor time: on a shared machine the second shows the work
// itself when other programs hold the cores.
Times MedianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const std::clock_t cpuStart = std::clock();
        timer.start();
        work();
        walls.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpus.push_back(1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    return {Median(walls), Median(cpus)};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString path = args.size() > 1 ? args.at(1) : QStringLiteral("class-mistakes.sqlite");
    const int count = args.size() > 2 ? args.at(2).toInt() : 100000;
    const int runs = args.size() > 3 ? std::max(1, args.at(3).toInt()) : 5;

    if (!QFileInfo::exists(path)) {
        const journal::OpenResult made = journal::OpenSqlite(path);
        if (!made.Db) {
            std::fprintf(stderr, "%s\n", qPrintable(made.Problem));
            return 1;
        }
        const double seconds = teacher_bench::FillClassJournal(*made.Db, count, 1);
        std::printf("filled %d attempts in %.1f s\n", count, seconds);
        journal::CloseConnection(*made.Db);
    }
    const journal::OpenResult opened = journal::OpenSqlite(path);
    if (!opened.Db) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.Problem));
        return 1;
    }
    const journal::Connection& c = *opened.Db;
    const journal::AttemptFilter all;

    std::vector<journal::StoredAttempt> attempts;
    const Times marks = MedianMilliseconds(
        runs, [&] { (void)teacher::ReadFigures(c, all, teacher::ChartAttempts::Every); });
    const Times load = MedianMilliseconds(runs, [&] { attempts = journal::LoadAttempts(c, all); });
    const Times diagnose = MedianMilliseconds(runs, [&] {
        engine::MistakeTally tally;
        for (const journal::StoredAttempt& a : attempts) {
            tally.Add(a.Pupil.toStdString(), a.Record);
        }
        (void)tally.Mistakes();
        (void)tally.Rows();
    });
    const Times tab = MedianMilliseconds(runs, [&] { (void)teacher::TallyMistakes(c, all); });

    std::printf("attempts: %zu (rows: %zu), medians of %d runs, wall clock and processor ms\n",
                attempts.size(), attempts.size() * engine::kAttemptRows, runs);
    const auto line = [](const char* what, const Times& t) {
        std::printf("%-40s %9.1f %9.1f\n", what, t.wall, t.cpu);
    };
    line("marks and rows charts (ReadFigures)", marks);
    line("reading the attempts (LoadAttempts)", load);
    line("diagnosing and counting them", diagnose);
    line("the tab's whole count (TallyMistakes)", tab);
    journal::CloseConnection(c);
    return 0;
}
