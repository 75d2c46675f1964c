// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil's program reduced to its journal, for the tests that need another process: it
// starts a test, types the given texts into the first row, waits until that is in the local
// file and says "saved <id>" on standard output; then either hangs until it is killed ("hang"),
// hands in and ends normally ("finish"), or hands in, says "handed in" the moment the report
// returns, as the window then shows its result box, and hangs until it is killed ("result"), or
// hands in, ends the journal and says whether PostgreSQL's client library was loaded into the
// process meanwhile ("libraries": "libpq loaded" or "libpq not loaded").
// Usage: journal_child LOCAL_PATH SERVER_URI|- hang|finish|result|libraries TYPED_WHOLE
#include "attempt_samples.h"

#include "journal/pupil_journal.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fputs("usage: journal_child LOCAL URI|- hang|finish|result|libraries TYPED\n", stderr);
        return 2;
    }
    journal::JournalSettings settings;
    settings.LocalPath = QString::fromLocal8Bit(argv[1]);
    settings.ServerUri = qstrcmp(argv[2], "-") == 0 ? QString() : QString::fromLocal8Bit(argv[2]);
    settings.LogPath = journal::LogPathBeside(settings.LocalPath);
    settings.MaxRetryWait = std::chrono::seconds(2);
    journal::PupilJournal pupilJournal(settings);

    engine::AttemptRecord record = journal_test::RunningAttempt().Record;
    record.SecondsUsed = 42;
    record.Rows[0].Typed = {argv[4], "5", "7"};
    pupilJournal.Report(record);
    while (pupilJournal.LocalSaveCount() < 1) {
        QThread::msleep(5);
    }
    std::printf("saved %s\n", qPrintable(pupilJournal.AttemptId()));
    std::fflush(stdout);
    if (qstrcmp(argv[3], "hang") == 0) {
        for (;;) {
            QThread::sleep(60);
        }
    }
    pupilJournal.Report(journal_test::SampleAttempt().Record);
    if (qstrcmp(argv[3], "result") == 0) {
        std::printf("handed in\n");
        std::fflush(stdout);
        for (;;) {
            QThread::sleep(60);
        }
    }
    pupilJournal.Shutdown();
    if (qstrcmp(argv[3], "libraries") == 0) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly)) {
            return 1;
        }
        std::printf(maps.readAll().contains("/libpq.so") ? "libpq loaded\n" : "libpq not loaded\n");
    }
    return 0;
}
