// SPDX-License-Identifier: GPL-3.0-or-later
// A second thread for an export job: the job reads the next batch of attempts from the journal
// while this thread writes the batch before it, so that the two halves of the work share the
// machine's cores instead of taking turns.
//
// WriterThread   takes batches in order, at most two waiting, and gives each attempt to the
//                function it was made with, on its own thread, in the same order
//
// It neither reads the journal nor knows what is written: the function does. What the function
// throws stops the thread and is thrown again to the job by the next Give or Finish.
#pragma once

#include "journal/stored_attempt.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace teacher {

class WriterThread {
public:
    explicit WriterThread(std::function<void(const journal::StoredAttempt&)> each);
    // Batches still waiting are dropped: a job that stopped early writes nothing more.
    ~WriterThread();
    WriterThread(const WriterThread&) = delete;
    WriterThread& operator=(const WriterThread&) = delete;

    // Queues the batch, first waiting while two are queued.
    void Give(std::vector<journal::StoredAttempt> batch);
    // Returns once every batch given has been written.
    void Finish();

private:
    void Run();
    // With the lock held: throws what the function threw, if it did.
    void ThrowFailure();

    std::function<void(const journal::StoredAttempt&)> each_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<journal::StoredAttempt>> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace teacher
