// SPDX-License-Identifier: GPL-3.0-or-later
// The pupil's journal begun once the pupil's window has painted its first frame, so that
// nothing on the way to that frame waits for the journal or shares the processor with it: its
// settings, the account's entry, the local file and the recovery of an earlier run's attempt
// all come after. A record the window reports before then begins the journal at once, and so
// does the end of the run, so nothing is lost and an earlier run's attempt is still recovered.
//
// Contents: the class DeferredJournal (BeginAfterFirstFrameOf, Report, SetTaker, Shutdown,
// HasBegun, AlsoOnBegin).
// It does not decide what is written or when (journal/pupil_journal.h does).
#pragma once

#include "engine/attempt_record.h"
#include "journal/journal_settings.h"
#include "journal/pupil_journal.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace app {

class DeferredJournal : public QObject {
public:
    // The journal the settings file and the environment name, or the one `settings` names.
    explicit DeferredJournal(std::optional<journal::JournalSettings> settings = std::nullopt);
    ~DeferredJournal() override;
    DeferredJournal(const DeferredJournal&) = delete;
    DeferredJournal& operator=(const DeferredJournal&) = delete;

    // Begins the journal once `window` has painted its first frame and the frame has been
    // handed to the display.
    void BeginAfterFirstFrameOf(QWidget& window);

    // Hands the record to the journal, beginning it first if it has not begun.
    void Report(const engine::AttemptRecord& record);

    // Tells the journal who takes the test (PupilJournal::SetTaker), beginning it first if it
    // has not begun.
    void SetTaker(const QString& pupil, const QString& className, const QString& rosterPupilId);

    // Begins the journal if it has not begun, then shuts it down (PupilJournal::Shutdown).
    void Shutdown();

    bool HasBegun() const { return journal_ != nullptr; }

    // Called once, on the window's thread, right after the journal has begun: other work that
    // is to wait for the first frame too (the roster's reading).
    void AlsoOnBegin(std::function<void()> work) { alsoOnBegin_ = std::move(work); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    journal::PupilJournal& Begin();

    std::optional<journal::JournalSettings> settings_;
    std::unique_ptr<journal::PupilJournal> journal_;
    QPointer<QWidget> window_;
    std::function<void()> alsoOnBegin_;
};

} // namespace app
