// SPDX-License-Identifier: GPL-3.0-or-later
// Sends finished attempts to the classroom server from a thread of its own, with its own
// connection: INSERT … ON CONFLICT DO NOTHING (the pupils' role may add, nothing more), so an
// attempt sent twice is stored once. A server that is down, slow or refusing is retried with a
// growing wait (1 s, 2 s, 4 s … up to a limit); a new attempt is tried at once. Nothing here
// touches the local file: the caller is told which attempts the server has.
#pragma once

#include "journal/journal_log.h"
#include "journal/stored_attempt.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace journal {

class ServerSender {
public:
    using SentHandler = std::function<void(const QString& id)>;

    ServerSender(QString uri, std::chrono::seconds maxRetryWait, JournalLog& log,
                 SentHandler onSent);
    ~ServerSender();
    ServerSender(const ServerSender&) = delete;
    ServerSender& operator=(const ServerSender&) = delete;

    // Queues the attempt (a newer copy of a queued one replaces it) and wakes the thread.
    void Send(const StoredAttempt& a);

    // Tries what is queued once more, unless the server has just failed, and ends the thread.
    // Bounded by libpq's connect timeout and the statement timeout (journal_database.cpp).
    void Stop();

    // How many attempts the server has taken from this sender (new or already there).
    int SentCount() const;

private:
    void Run();
    bool SendQueued(bool lastChance);

    QString uri_;
    std::chrono::seconds maxRetryWait_;
    JournalLog& log_;
    SentHandler onSent_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::map<QString, StoredAttempt> queue_;
    bool stopping_ = false;
    bool failedLast_ = false;
    std::chrono::steady_clock::time_point nextTry_{};
    int sent_ = 0;

    std::thread thread_;
};

} // namespace journal
