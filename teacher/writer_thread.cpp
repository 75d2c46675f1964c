// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/writer_thread.h"

namespace teacher {

namespace {

// Two batches waiting keep the writer busy while the reader fetches a third, and bound the
// memory a slow writer can make the reader fill.
constexpr std::size_t kMostWaiting = 2;

} // namespace

WriterThread::WriterThread(std::function<void(const journal::StoredAttempt&)> each)
    : each_(std::move(each)), thread_([this] { Run(); })
{}

WriterThread::~WriterThread()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void WriterThread::Give(std::vector<journal::StoredAttempt> batch)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || waiting_.size() < kMostWaiting; });
    ThrowFailure();
    waiting_.push_back(std::move(batch));
    lock.unlock();
    changed_.notify_all();
}

void WriterThread::Finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || (waiting_.empty() && !writing_); });
    ThrowFailure();
}

void WriterThread::ThrowFailure()
{
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

void WriterThread::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) {
            return;
        }
        const std::vector<journal::StoredAttempt> batch = std::move(waiting_.front());
        waiting_.pop_front();
        writing_ = true;
        lock.unlock();
        changed_.notify_all();
        std::exception_ptr failed;
        try {
            for (const journal::StoredAttempt& a : batch) {
                each_(a);
            }
        } catch (...) {
            failed = std::current_exception();
        }
        lock.lock();
        writing_ = false;
        failure_ = failed;
        changed_.notify_all();
        if (failure_) {
            return;
        }
    }
}

} // namespace teacher
