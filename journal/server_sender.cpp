// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/server_sender.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace journal {

ServerSender::ServerSender(QString uri, std::chrono::seconds maxRetryWait, JournalLog& log,
                           SentHandler onSent)
    : uri_(std::move(uri)), maxRetryWait_(maxRetryWait), log_(log), onSent_(std::move(onSent)),
      thread_([this] { Run(); })
{}

ServerSender::~ServerSender()
{
    Stop();
}

void ServerSender::Send(const StoredAttempt& a)
{
    {
        const std::lock_guard lock(mutex_);
        queue_.insert_or_assign(a.Id, a);
        nextTry_ = std::chrono::steady_clock::now();
    }
    wake_.notify_all();
}

void ServerSender::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

int ServerSender::SentCount() const
{
    const std::lock_guard lock(mutex_);
    return sent_;
}

void ServerSender::Run()
{
    using namespace std::chrono;
    seconds wait{1};
    std::optional<Connection> server;
    QString lastProblem;
    for (;;) {
        bool lastChance = false;
        std::vector<StoredAttempt> batch;
        {
            std::unique_lock lock(mutex_);
            if (queue_.empty()) {
                wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            } else {
                wake_.wait_until(lock, nextTry_,
                                 [&] { return stopping_ || steady_clock::now() >= nextTry_; });
            }
            if (stopping_ && (queue_.empty() || failedLast_)) {
                break;
            }
            lastChance = stopping_;
            if (queue_.empty() || steady_clock::now() < nextTry_) {
                continue;
            }
            for (const auto& [id, a] : queue_) {
                batch.push_back(a);
            }
        }
        QString problem;
        if (!server) {
            const OpenResult opened = OpenServer(uri_);
            server = opened.Db;
            problem = opened.Problem;
        }
        if (server) {
            for (const StoredAttempt& a : batch) {
                try {
                    const bool added = AddAttemptOnce(*server, a);
                    {
                        const std::lock_guard lock(mutex_);
                        const auto queued = queue_.find(a.Id);
                        if (queued != queue_.end() && queued->second == a) {
                            queue_.erase(queued);
                        }
                        ++sent_;
                    }
                    if (!added) {
                        log_.Write(QStringLiteral("Попытка %1 уже была на сервере.").arg(a.Id));
                    }
                    onSent_(a.Id);
                } catch (const JournalError& error) {
                    problem = QString::fromUtf8(error.what());
                    // The server refused this attempt for what it holds (a text longer than it
                    // takes): it stays in the local journal, and the attempts after it still go.
                    if (problem.contains(QLatin1String("violates check constraint"))) {
                        continue;
                    }
                    // A broken connection is opened afresh next time.
                    CloseConnection(*server);
                    server.reset();
                    break;
                }
            }
        }
        const std::lock_guard lock(mutex_);
        failedLast_ = !problem.isEmpty();
        if (failedLast_) {
            if (problem != lastProblem) {
                log_.Write(QStringLiteral("Сервер журнала: %1 Попыток ждут отправки: %2; повтор "
                                          "через %3 с.")
                               .arg(problem)
                               .arg(queue_.size())
                               .arg(wait.count()));
            }
            lastProblem = problem;
            nextTry_ = steady_clock::now() + wait;
            wait = std::min(wait * 2, maxRetryWait_);
        } else {
            if (!lastProblem.isEmpty()) {
                log_.Write(QStringLiteral("Сервер журнала снова доступен."));
            }
            lastProblem.clear();
            wait = seconds{1};
        }
        if (lastChance) {
            break;
        }
    }
    if (server) {
        CloseConnection(*server);
    }
}

} // namespace journal
