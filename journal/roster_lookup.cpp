// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/roster_lookup.h"

#include "journal/journal_database.h"
#include "journal/journal_error.h"
#include "journal/pupil_identity.h"

#include <utility>

namespace journal {

RosterForPupils ReadRosterForPupils(const JournalSettings& settings, const QString& login,
                                    bool withList)
{
    RosterForPupils found;
    // Read-only: the pupil's journal writer creates and upgrades the local file; this only reads
    // it (a file not made yet has no roster either).
    const OpenResult opened = settings.ServerUri.isEmpty()
                                  ? OpenSqliteForReading(settings.LocalPath)
                                  : OpenServer(settings.ServerUri);
    if (!opened.Db) {
        found.Problem = opened.Problem;
        return found;
    }
    try {
        if (!HasRoster(*opened.Db)) {
            found.Problem =
                QStringLiteral("в журнале нет классов (журнал на сервере старой версии)");
        } else {
            found.Account = PupilForLogin(*opened.Db, login);
            if (withList) {
                found.Classes = LoadClassNames(*opened.Db);
                found.Pupils = LoadPupilNames(*opened.Db);
                found.Seconds = SecondsAllowedByPupil(*opened.Db);
            }
        }
    } catch (const JournalError& error) {
        found.Problem = QString::fromUtf8(error.what());
    }
    CloseConnection(*opened.Db);
    return found;
}

RosterLookup::RosterLookup(JournalSettings settings, QString login, bool withList)
    : settings_(std::move(settings)), login_(std::move(login)), withList_(withList)
{}

void RosterLookup::Begin()
{
    if (reading_.valid()) {
        return;
    }
    reading_ = std::async(std::launch::async, [settings = settings_, login = login_,
                                               withList = withList_] {
                   return ReadRosterForPupils(settings, login.isEmpty() ? ThisPupil().Login : login,
                                              withList);
               }).share();
}

RosterLookup::~RosterLookup()
{
    // The reading ends by itself within the journal's connect and statement timeouts.
    if (reading_.valid()) {
        reading_.wait();
    }
}

RosterForPupils RosterLookup::Result(std::chrono::milliseconds wait)
{
    Begin();
    if (reading_.wait_for(wait) != std::future_status::ready) {
        RosterForPupils late;
        late.Problem = QStringLiteral("список класса не прочитан за %1 с")
                           .arg(static_cast<double>(wait.count()) / 1000.0);
        return late;
    }
    return reading_.get();
}

} // namespace journal
