// SPDX-License-Identifier: GPL-3.0-or-later
// What PupilJournal::Report costs the window's thread: every call timed on its own while the
// writer thread saves to a real local file in the background (a changed typed text each call,
// a tick's worth of change, as while a pupil types), then a hand-in.
// Usage: bench_report [CALLS]
#include "journal/pupil_journal.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    journal::JournalSettings settings;
    settings.LocalPath = dir.filePath("journal.sqlite");
    settings.LogPath = dir.filePath("journal.log");
    // A short interval, so that the writer is busy with the file while the calls are timed.
    settings.RunningSaveInterval = std::chrono::milliseconds(10);

    engine::AttemptRecord record;
    for (engine::RowRecord& row : record.Rows) {
        row.First = {3, 4, 1};
        row.Second = {5, 6, 2};
        row.Key = {7, 8, 3};
    }
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(calls));
    int saves = 0;
    {
        journal::PupilJournal pupilJournal(settings);
        for (int i = 0; i < calls; ++i) {
            record.Rows.at(static_cast<std::size_t>(i % 10)).Typed.Numerator = std::to_string(i);
            record.SecondsUsed = (i / 100) % 600;
            const auto start = std::chrono::steady_clock::now();
            pupilJournal.Report(record);
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
            if (i % 1000 == 999) {
                // Typing is not continuous: let the writer get at the file now and then.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        }
        record.End = engine::AttemptEnd::HandedIn;
        const auto start = std::chrono::steady_clock::now();
        pupilJournal.Report(record);
        const double handIn =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        pupilJournal.Shutdown();
        saves = pupilJournal.LocalSaveCount();
        std::printf("hand-in Report: %.2f us\n", handIn);
    }
    // The first call makes the attempt (its UUID from the system's random source).
    std::printf("first Report: %.2f us\n", micros.front());
    micros.erase(micros.begin());
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros.at(static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1)));
    };
    std::printf("later Report calls: %d, local saves meanwhile: %d\n", calls - 1, saves);
    std::printf("median %.2f us, 99%% %.2f us, 99.9%% %.2f us, max %.2f us\n", at(0.5), at(0.99),
                at(0.999), micros.back());
    return 0;
}
