// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/pupil_journal.h"

#include "journal/attempt_store.h"
#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/journal_log.h"
#include "journal/local_outbox.h"
#include "journal/pupil_identity.h"
#include "journal/server_sender.h"
#include "journal/stored_attempt.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace journal {

namespace {

// The longest a hand-in or time-out waits for its write. The write is one synced commit, a few
// milliseconds; only a disk that hangs (a network home folder gone away) makes the window go on
// without it, and the log says so.
constexpr std::chrono::seconds kEndingWriteWait{10};

} // namespace

struct PupilJournal::Impl {
    // Without settings, the writer reads them (the environment and the settings file) itself.
    explicit Impl(const std::optional<JournalSettings>& s);
    void Report(const engine::AttemptRecord& record);
    void Shutdown();

    // The writer thread and what it does.
    void Run();
    void OpenLocal();
    void RecoverDeadAttempts();
    void QueueOutbox();
    bool SaveOne(const StoredAttempt& whole);
    QString LockPath(const QString& id) const;
    void LogOnce(const QString& problem);

    // Set by the writer before it writes anything: the settings, the log's file and the
    // sender when they are read there, the identity always (under the mutex).
    JournalSettings settings;
    bool settingsToRead = false;
    PupilIdentity identity;
    bool identityKnown = false;
    QString chosenPupil;   // the taker's name as chosen or typed; empty: the account's
    QString className;     // the taker's class, when known
    QString rosterPupilId; // the taker's roster pupil, when known
    JournalLog log;
    std::unique_ptr<ServerSender> sender;

    // Shared between the window's thread, the writer and the sender; held only to copy.
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::optional<StoredAttempt> current; // as the window last reported it
    bool dirty = false;                   // current differs from what was written
    bool urgent = false;                  // ... and must be written now (an ending)
    std::uint64_t reported = 0;           // counts the changes to current
    std::uint64_t attempted = 0;          // the last change the writer has tried to write
    bool finishing = false;               // Shutdown waits for the last write
    bool finished = false;
    bool stopping = false;
    bool shutDown = false;
    std::vector<QString> sentIds;
    int saves = 0;

    // The writer's own.
    std::optional<Connection> local;
    std::unique_ptr<QLockFile> runningLock;
    QString lastProblem;
    QString cutLoggedFor; // the attempt whose over-long texts the log has told of

    std::thread writer;
};

// Only starts the writer: the settings, the account's entry (which may be a network directory
// on a school's computers), the host name and the local file are all the writer's first work.
PupilJournal::Impl::Impl(const std::optional<JournalSettings>& s)
    : settings(s.value_or(JournalSettings{})), settingsToRead(!s), log(settings.LogPath)
{
    identity.ProgramVersion = ProgramVersion();
    writer = std::thread([this] { Run(); });
}

void PupilJournal::Impl::Report(const engine::AttemptRecord& record)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const bool ending = record.End != engine::AttemptEnd::Running;
    {
        const std::lock_guard lock(mutex);
        if (shutDown) {
            return;
        }
        if (!current) {
            current = StoredAttempt{
                NewAttemptId(), identity.Pupil, identity.Host, identity.ProgramVersion,
                className,      rosterPupilId,  now,           QDateTime(),
                record};
            if (ending) {
                current->EndedAt = now;
            }
        } else if (current->Record.End == engine::AttemptEnd::Running) {
            current->Record = record;
            if (ending) {
                current->EndedAt = now;
            }
        } else if (ending) {
            // A later hand-in: the answers and marks as they are now, the first ending kept.
            const engine::AttemptEnd firstEnd = current->Record.End;
            const int seconds = current->Record.SecondsUsed;
            current->Record = record;
            current->Record.End = firstEnd;
            current->Record.SecondsUsed = seconds;
        } else {
            return; // a tick after the end changes nothing
        }
        dirty = true;
        urgent = urgent || ending;
        ++reported;
    }
    wake.notify_all();
    if (ending) {
        // The ending is on disk, committed and synced, before the window shows the result: a
        // pupil who kills the program at the result box cannot take the mark away.
        std::unique_lock lock(mutex);
        const std::uint64_t mine = reported;
        if (!wake.wait_for(lock, kEndingWriteWait, [&] { return attempted >= mine; })) {
            lock.unlock();
            log.Write(QStringLiteral("Окончание попытки не записалось в местный журнал за %1 с; "
                                     "запись продолжается в фоне.")
                          .arg(kEndingWriteWait.count()));
        }
    }
}

void PupilJournal::Impl::Shutdown()
{
    {
        std::unique_lock lock(mutex);
        if (shutDown) {
            return;
        }
        shutDown = true;
        if (current && current->Record.End == engine::AttemptEnd::Running) {
            current->Record.End = engine::AttemptEnd::Interrupted;
            current->EndedAt = QDateTime::currentDateTimeUtc();
            dirty = true;
            urgent = true;
        }
        finishing = true;
        wake.notify_all();
        wake.wait(lock, [this] { return finished; });
    }
    if (sender) {
        sender->Stop();
    }
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    writer.join();
}

void PupilJournal::Impl::LogOnce(const QString& problem)
{
    if (problem != lastProblem) {
        log.Write(problem);
        lastProblem = problem;
    }
}

QString PupilJournal::Impl::LockPath(const QString& id) const
{
    return settings.LocalPath + QStringLiteral(".locks/") + id + QStringLiteral(".lock");
}

// The writer's first work, before it writes anything: where the journal is, who is taking the
// test, the server's sender, then the local file.
void PupilJournal::Impl::OpenLocal()
{
    if (settingsToRead) {
        settings = ConfiguredJournalSettings();
        log.SetPath(settings.LogPath);
    }
    const PupilIdentity who = ThisPupil();
    std::unique_ptr<ServerSender> newSender;
    if (!settings.ServerUri.isEmpty()) {
        newSender = std::make_unique<ServerSender>(settings.ServerUri, settings.MaxRetryWait, log,
                                                   [this](const QString& id) {
                                                       {
                                                           const std::lock_guard lock(mutex);
                                                           sentIds.push_back(id);
                                                       }
                                                       wake.notify_all();
                                                   });
    }
    {
        const std::lock_guard lock(mutex);
        identity = who;
        // A name chosen in the window before the account's entry was read wins over it.
        if (!chosenPupil.isEmpty()) {
            identity.Pupil = chosenPupil;
        }
        if (current && !identityKnown) {
            // The window reported before the account's entry was read.
            current->Pupil = identity.Pupil;
            current->Host = who.Host;
            current->ProgramVersion = who.ProgramVersion;
        }
        identityKnown = true;
        sender = std::move(newSender);
    }

    const OpenResult opened = OpenSqlite(settings.LocalPath);
    local = opened.Db;
    if (!opened.Problem.isEmpty()) {
        log.Write(opened.Problem);
    }
    if (!local) {
        log.Write(QStringLiteral("Местный журнал недоступен: попытка этого запуска хранится только "
                                 "в памяти%1.")
                      .arg(sender ? QStringLiteral(" и будет отправлена на сервер")
                                  : QStringLiteral(" и будет потеряна при выходе")));
    }
}

void PupilJournal::Impl::RecoverDeadAttempts()
{
    QStringList ids;
    try {
        ids = RunningAttemptIds(*local);
    } catch (const JournalError& error) {
        log.Write(QString::fromUtf8(error.what()));
        return;
    }
    for (const QString& id : ids) {
        // A lock whose process is gone is stale; a live one (another window open on this
        // account) keeps its attempt running.
        QLockFile lock(LockPath(id));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) {
            continue;
        }
        try {
            std::optional<StoredAttempt> a = LoadAttempt(*local, id);
            if (a && a->Record.End == engine::AttemptEnd::Running) {
                // Cut off at its last saved tick.
                a->Record.End = engine::AttemptEnd::Interrupted;
                a->EndedAt = a->StartedAt.addSecs(a->Record.SecondsUsed);
                SaveAndQueue(*local, *a);
                log.Write(QStringLiteral("Попытка %1 (%2) была оборвана сбоем или выключением; "
                                         "отмечена как «прерван».")
                              .arg(id, a->Pupil));
            }
        } catch (const JournalError& error) {
            log.Write(QString::fromUtf8(error.what()));
        }
        lock.unlock();
    }
}

void PupilJournal::Impl::QueueOutbox()
{
    if (!sender) {
        return;
    }
    try {
        for (const QString& id : QueuedIds(*local)) {
            if (const std::optional<StoredAttempt> a = LoadAttempt(*local, id)) {
                sender->Send(*a);
            }
        }
    } catch (const JournalError& error) {
        log.Write(QString::fromUtf8(error.what()));
    }
}

// Whether the local file has the attempt now (true too when there is no local file to write).
bool PupilJournal::Impl::SaveOne(const StoredAttempt& whole)
{
    bool cut = false;
    const StoredAttempt a = BoundedForJournal(whole, cut);
    if (cut && cutLoggedFor != a.Id) {
        cutLoggedFor = a.Id;
        log.Write(QStringLiteral("Попытка %1: слишком длинные тексты (имя, компьютер или ответ) "
                                 "записаны укороченными, с «…» в конце.")
                      .arg(a.Id));
    }
    const bool ended = a.Record.End != engine::AttemptEnd::Running;
    bool saved = true;
    if (local) {
        if (!ended && !runningLock) {
            QDir().mkpath(settings.LocalPath + QStringLiteral(".locks"));
            runningLock = std::make_unique<QLockFile>(LockPath(a.Id));
            runningLock->setStaleLockTime(0);
            if (!runningLock->tryLock(0)) {
                log.Write(
                    QStringLiteral("Не удалось создать файл блокировки «%1».").arg(LockPath(a.Id)));
            }
        }
        try {
            if (ended) {
                SaveAndQueue(*local, a);
            } else {
                SaveAttempt(*local, a);
            }
            const std::lock_guard lock(mutex);
            ++saves;
            lastProblem.clear();
        } catch (const JournalError& error) {
            LogOnce(QString::fromUtf8(error.what()));
            saved = false;
        }
    }
    if (ended) {
        if (runningLock) {
            runningLock->unlock();
            runningLock.reset();
        }
        if (sender) {
            sender->Send(a);
        }
    }
    return saved;
}

void PupilJournal::Impl::Run()
{
    using std::chrono::steady_clock;
    OpenLocal();
    if (local) {
        RecoverDeadAttempts();
        QueueOutbox();
    }
    std::optional<steady_clock::time_point> lastSave; // none yet: the first is written at once
    std::optional<steady_clock::time_point> retryAt;  // set while the last write failed
    for (;;) {
        std::optional<StoredAttempt> toSave;
        std::uint64_t toSaveChange = 0;
        std::vector<QString> sent;
        bool finishNow = false;
        bool stopNow = false;
        {
            std::unique_lock lock(mutex);
            const auto nextWrite = [&] {
                if (retryAt) {
                    return *retryAt;
                }
                return *lastSave + settings.RunningSaveInterval;
            };
            const auto due = [&] {
                if (!dirty) {
                    return false;
                }
                if (retryAt) {
                    return steady_clock::now() >= *retryAt;
                }
                if (finishing || urgent || !lastSave) {
                    return true;
                }
                return steady_clock::now() >= nextWrite();
            };
            const auto ready = [&] {
                return stopping || !sentIds.empty() || (finishing && !finished) || due();
            };
            while (!ready()) {
                if (dirty) {
                    wake.wait_until(lock, nextWrite());
                } else {
                    wake.wait(lock);
                }
            }
            if (due()) {
                toSave = current;
                toSaveChange = reported;
                dirty = false;
                urgent = false;
            }
            sent.swap(sentIds);
            finishNow = finishing && !finished;
            stopNow = stopping;
        }
        for (const QString& id : sent) {
            if (local) {
                try {
                    Unqueue(*local, id);
                } catch (const JournalError& error) {
                    LogOnce(QString::fromUtf8(error.what()));
                }
            }
        }
        if (toSave) {
            const bool saved = SaveOne(*toSave);
            lastSave = steady_clock::now();
            retryAt.reset();
            {
                // Written or failed: either way a waiting hand-in goes on (a failure is logged).
                const std::lock_guard lock(mutex);
                attempted = toSaveChange;
            }
            wake.notify_all();
            if (!saved && !stopNow) {
                // A file busy or full for a moment loses nothing: the latest state is written
                // again a second later (an ending is never reported twice, so it must be).
                const std::lock_guard lock(mutex);
                dirty = true;
                retryAt = steady_clock::now() + std::chrono::seconds(1);
            }
        }
        if (finishNow) {
            {
                const std::lock_guard lock(mutex);
                finished = true;
            }
            wake.notify_all();
        }
        if (stopNow) {
            break;
        }
    }
    if (local) {
        CloseConnection(*local);
    }
}

PupilJournal::PupilJournal() : impl_(std::make_unique<Impl>(std::nullopt)) {}

PupilJournal::PupilJournal(JournalSettings settings)
    : impl_(std::make_unique<Impl>(std::move(settings)))
{}

PupilJournal::~PupilJournal()
{
    Shutdown();
}

void PupilJournal::Report(const engine::AttemptRecord& record)
{
    impl_->Report(record);
}

void PupilJournal::Shutdown()
{
    impl_->Shutdown();
}

void PupilJournal::SetTaker(const QString& pupil, const QString& className,
                            const QString& rosterPupilId)
{
    const std::lock_guard lock(impl_->mutex);
    if (!pupil.trimmed().isEmpty()) {
        impl_->chosenPupil = pupil.trimmed();
        impl_->identity.Pupil = impl_->chosenPupil;
    }
    impl_->className = className.trimmed();
    impl_->rosterPupilId = rosterPupilId;
}

QString PupilJournal::AttemptId() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->current ? impl_->current->Id : QString();
}

int PupilJournal::LocalSaveCount() const
{
    const std::lock_guard lock(impl_->mutex);
    return impl_->saves;
}

int PupilJournal::SentCount() const
{
    const ServerSender* sender = nullptr;
    {
        // The writer sets the sender up once it has read the settings.
        const std::lock_guard lock(impl_->mutex);
        sender = impl_->sender.get();
    }
    return sender ? sender->SentCount() : 0;
}

} // namespace journal
