// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/deferred_journal.h"

#include <QEvent>
#include <QTimer>

#include <utility>

namespace app {

DeferredJournal::DeferredJournal(std::optional<journal::JournalSettings> settings)
    : settings_(std::move(settings))
{}

DeferredJournal::~DeferredJournal()
{
    Shutdown();
}

void DeferredJournal::BeginAfterFirstFrameOf(QWidget& window)
{
    window_ = &window;
    window.installEventFilter(this);
}

bool DeferredJournal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        // Queued, so that the frame is painted and flushed first.
        QTimer::singleShot(0, this, [this] { Begin(); });
    }
    return false;
}

void DeferredJournal::Report(const engine::AttemptRecord& record)
{
    Begin().Report(record);
}

void DeferredJournal::SetTaker(const QString& pupil, const QString& className,
                               const QString& rosterPupilId)
{
    Begin().SetTaker(pupil, className, rosterPupilId);
}

void DeferredJournal::Shutdown()
{
    Begin().Shutdown();
}

journal::PupilJournal& DeferredJournal::Begin()
{
    if (!journal_) {
        if (window_) {
            window_->removeEventFilter(this);
        }
        journal_ = settings_ ? std::make_unique<journal::PupilJournal>(*settings_)
                             : std::make_unique<journal::PupilJournal>();
        if (alsoOnBegin_) {
            std::exchange(alsoOnBegin_, nullptr)();
        }
    }
    return *journal_;
}

} // namespace app
