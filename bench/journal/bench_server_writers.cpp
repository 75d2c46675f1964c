// SPDX-License-Identifier: GPL-3.0-or-later
// Attempts per second into PostgreSQL from thirty concurrent writers, each a thread with its own
// connection as the pupils' role, adding whole attempts (ten rows each) the way the pupil's
// sender does (INSERT … ON CONFLICT DO NOTHING, one transaction per attempt).
// Run under tests/journal/with-postgres.sh, which provides FRACTION_TEST_PUPIL_URI.
// Usage: bench_server_writers [WRITERS] [ATTEMPTS_PER_WRITER]
#include "journal/attempt_store.h"
#include "journal/journal_database.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

journal::StoredAttempt Attempt(int writer, int n)
{
    journal::StoredAttempt a;
    a.Id = journal::NewAttemptId();
    a.Pupil = QStringLiteral("Ученик %1").arg(writer);
    a.Host = QStringLiteral("pc-%1").arg(writer);
    a.ProgramVersion = QStringLiteral("1.1.0");
    a.StartedAt = QDateTime::currentDateTimeUtc();
    a.EndedAt = a.StartedAt.addSecs(300);
    a.Record.End = engine::AttemptEnd::HandedIn;
    a.Record.SecondsUsed = 300;
    for (engine::RowRecord& row : a.Record.Rows) {
        row.First = {1, 2, 1};
        row.Second = {3, 4, 0};
        row.Key = {1, 8, 1};
        row.Typed = {"1", std::to_string(n), "8"};
        row.Right = true;
    }
    a.Record.RightCount = 10;
    a.Record.GradeText = "Отлично";
    a.Record.Mark = 5;
    return a;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int writers = argc > 1 ? std::atoi(argv[1]) : 30;
    const int perWriter = argc > 2 ? std::atoi(argv[2]) : 100;
    const QString uri = qEnvironmentVariable("FRACTION_TEST_PUPIL_URI");
    if (uri.isEmpty()) {
        std::fputs("run under tests/journal/with-postgres.sh\n", stderr);
        return 2;
    }
    std::atomic<int> added{0};
    std::atomic<int> failed{0};
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(std::max(writers, 0)));
    for (int w = 0; w < writers; ++w) {
        threads.emplace_back([&, w] {
            const journal::OpenResult opened = journal::OpenServer(uri);
            ++ready;
            while (!go) {
                std::this_thread::yield();
            }
            if (!opened.Db) {
                failed += perWriter;
                return;
            }
            for (int n = 0; n < perWriter; ++n) {
                try {
                    added += journal::AddAttemptOnce(*opened.Db, Attempt(w, n)) ? 1 : 0;
                } catch (const std::exception&) {
                    ++failed;
                }
            }
            journal::CloseConnection(*opened.Db);
        });
    }
    while (ready < writers) {
        std::this_thread::yield();
    }
    const auto start = std::chrono::steady_clock::now();
    go = true;
    for (std::thread& t : threads) {
        t.join();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d writers x %d attempts: %d added, %d failed in %.2f s = %.0f attempts/s\n",
                writers, perWriter, added.load(), failed.load(), seconds, added / seconds);
    return failed == 0 && added == writers * perWriter ? 0 : 1;
}
