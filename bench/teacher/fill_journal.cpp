// SPDX-License-Identifier: GPL-3.0-or-later
// Fills a journal file with a made-up class's attempts (for the screenshots and by hand).
// Usage: fill_journal FILE COUNT DAYS
#include "bench/teacher/class_journal.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: fill_journal FILE COUNT DAYS\n");
        return 2;
    }
    const journal::OpenResult opened = journal::OpenSqlite(args.at(1));
    if (!opened.Db) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.Problem));
        return 1;
    }
    const double seconds =
        teacher_bench::FillClassJournal(*opened.Db, args.at(2).toInt(), args.at(3).toInt());
    std::printf("%d attempts in %.1f s\n", args.at(2).toInt(), seconds);
    journal::CloseConnection(*opened.Db);
    return 0;
}
