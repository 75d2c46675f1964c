// SPDX-License-Identifier: GPL-3.0-or-later
// One runner for every long piece of the teacher's work that leaves the window — saving the
// list as CSV, .xlsx or PDF, an attempt as PDF, printing: the work runs on a thread of its own
// with, when it reads the journal, a connection of its own to the same journal (Qt SQL's
// connections belong to the thread that opened them); it says how far it has got, and stops
// when asked to.
//
// JobContext   what the work sees: its own connection, progress, whether to stop
// JobCancelled thrown by JobContext::StopIfCancelled to end the work early
// ExportJob    the runner: Start, Cancel, and the Progress and Finished signals
//
// The work itself writes through QSaveFile (or the like) and commits only at its end, so a job
// that is cancelled or fails leaves no file. The runner shows nothing: the window draws its
// progress bar and its «Отмена» from the signals.
#pragma once

#include "journal/journal_database.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

class QThread;

namespace teacher {

struct JobCancelled {};

class JobContext {
public:
    JobContext(const journal::Connection* journal, const std::atomic_bool& cancelled,
               std::function<void(long long, long long)> progress);

    // The job's own connection to the journal; null for work that needs none.
    const journal::Connection* Journal() const { return journal_; }
    bool Cancelled() const { return cancelled_.load(); }
    void StopIfCancelled() const;
    // Sent to the window no more often than the bar can show a change.
    void Progress(long long done, long long total);

private:
    const journal::Connection* journal_;
    const std::atomic_bool& cancelled_;
    std::function<void(long long, long long)> progress_;
    int lastPermille_ = -1;
};

class ExportJob : public QObject {
    Q_OBJECT

public:
    // The work gives the sentence to say when it is done; it throws journal::JournalError with
    // the sentence to say when it fails, and JobCancelled when it stops early.
    using Work = std::function<QString(JobContext&)>;

    // `what` names the job in the status line («Сохраняется список в CSV»). With `journal`, the
    // work gets a connection of its own to that journal.
    ExportJob(QString what, std::optional<journal::Connection> journal, Work work,
              QObject* parent = nullptr);
    // Cancels the work and waits for its thread.
    ~ExportJob() override;

    const QString& What() const { return what_; }
    void Start();
    void Cancel();
    bool IsRunning() const;

signals:
    void Progress(long long done, long long total);
    // Once, on the window's thread. `ok` is false for a failure and for a cancelled job.
    void Finished(bool ok, const QString& message);

private:
    void Run();

    QString what_;
    std::optional<journal::Connection> journal_;
    Work work_;
    std::atomic_bool cancelled_ = false;
    QThread* thread_ = nullptr;
    bool ok_ = false;
    QString message_;
};

} // namespace teacher
