// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the journal off the window's thread for a pane that shows what it read: each read runs
// on a thread of its own with a connection of its own to the same journal (a Qt SQL connection
// serves one thread only), and what it read reaches the pane through the window's event loop. A
// read overtaken by a newer one is dropped when it ends; the pane shows only the latest.
//
// BackgroundReads   Start a read, DropAll under way, WaitAll, whether the latest is still Busy;
//                   waits for reads under way when it goes
//
// It shows nothing and changes nothing in the journal: the pane's `read` reads, its `done` shows.
#pragma once

#include "journal/journal_database.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QThread>

#include <functional>

class QObject;

namespace teacher {

class BackgroundReads {
public:
    BackgroundReads() = default;
    // Waits for reads still under way: a worker must not outlive the program's database drivers.
    ~BackgroundReads();
    BackgroundReads(const BackgroundReads&) = delete;
    BackgroundReads& operator=(const BackgroundReads&) = delete;

    // Runs `read` on its own thread and connection to `source`; then, on `owner`'s thread and
    // only if no newer read was started meanwhile, `done` with the problem in Russian (empty when
    // the read went well: a journal::JournalError thrown by `read`, or a journal that cannot be
    // opened, is the problem). `done` is dropped if `owner` is gone by then.
    void Start(QObject* owner, const journal::Connection& source,
               std::function<void(const journal::Connection&)> read,
               std::function<void(const QString& problem)> done);

    // Drops the reads under way: none of them will be shown.
    void DropAll()
    {
        ++latest_;
        busy_ = false;
    }

    // Waits for every read's thread to end; what they read still reaches `done` through the
    // event loop (or is dropped), as for any read.
    void WaitAll();

    // Whether the latest read has not yet been shown.
    bool Busy() const { return busy_; }

private:
    quint64 latest_ = 0;
    bool busy_ = false;
    QList<QPointer<QThread>> workers_;
};

} // namespace teacher
