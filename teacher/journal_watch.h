// SPDX-License-Identifier: GPL-3.0-or-later
// Notices, every few seconds, that the journal has changed under the window — a test begun,
// handed in, run out or deleted elsewhere — so that the list can be read again without F5.
//
// The check is one light query on a connection of the watch's own (the window's may hold a
// long list's read open, which would hide newer commits): on the local file SQLite's change
// counter (PRAGMA data_version, which moves when another connection commits); on a server the
// count of attempts, the latest end and the count still running, in one pass. It never reads
// attempts and never changes the journal.
#pragma once

#include "journal/journal_database.h"

#include <QObject>
#include <QString>

class QTimer;

namespace teacher {

class JournalWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 10'000;

    // Watches the journal `journal` is connected to.
    JournalWatch(const journal::Connection& journal, QObject* parent = nullptr);
    ~JournalWatch() override;

    // Runs one check now (the timer runs it every kIntervalMs).
    void Check();

signals:
    void Changed();

private:
    QString Marker() const;

    journal::Connection own_;
    QTimer* timer_ = nullptr;
    QString last_;
};

} // namespace teacher
