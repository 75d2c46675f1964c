// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/test_taker.h"

#include "journal/stored_attempt.h"

namespace app {

namespace {

// How long «Начать тест» waits for a roster still being read (it began at the program's start).
constexpr std::chrono::milliseconds kRosterWait{1500};

window::AskWho AskFor(journal::IdentityMode mode)
{
    switch (mode) {
    case journal::IdentityMode::List:
        return window::AskWho::FromList;
    case journal::IdentityMode::Ask:
        return window::AskWho::Typed;
    case journal::IdentityMode::Account:
        break;
    }
    return window::AskWho::Nobody;
}

} // namespace

std::vector<window::RosterClass> ClassesOf(const journal::RosterForPupils& roster)
{
    std::vector<window::RosterClass> classes;
    for (const journal::SchoolClass& k : roster.Classes) {
        window::RosterClass shown{k.Name.toStdString(), {}};
        for (const journal::RosterPupil& p : roster.Pupils) {
            if (p.ClassId == k.Id) {
                shown.Pupils.push_back(
                    {p.Id.toStdString(), p.Surname.toStdString(), p.FirstName.toStdString()});
            }
        }
        if (!shown.Pupils.empty()) {
            classes.push_back(std::move(shown));
        }
    }
    return classes;
}

window::TestTaker TakerFor(const journal::JournalSettings& settings, journal::RosterLookup& lookup,
                           TellJournal tellJournal, journal::JournalLog& log)
{
    if (!settings.UnknownIdentity.isEmpty()) {
        log.Write(QStringLiteral("Настройка [pupil] identity=%1 непонятна (бывает account, list "
                                 "или ask): ученик определяется по учётной записи.")
                      .arg(settings.UnknownIdentity));
    }
    window::TestTaker taker;
    taker.Ask = AskFor(settings.Identity);
    taker.Classes = [&lookup, &log] {
        const journal::RosterForPupils roster = lookup.Result(kRosterWait);
        std::vector<window::RosterClass> classes = ClassesOf(roster);
        if (classes.empty()) {
            log.Write(QStringLiteral("Список класса недоступен (%1): ученик вводит фамилию, имя и "
                                     "класс сам.")
                          .arg(roster.Problem.isEmpty() ? QStringLiteral("в нём нет учеников")
                                                        : roster.Problem));
        }
        return classes;
    };
    taker.Begin = [&lookup, journal = std::move(tellJournal)](
                      const std::optional<window::PupilChoice>& choice) {
        if (!choice) {
            // The account's owner: linked to the roster pupil with this login, if there is one.
            const journal::RosterForPupils roster = lookup.Result(kRosterWait);
            if (!roster.Account) {
                return int(journal::kMinSecondsAllowed);
            }
            journal({}, roster.Account->ClassName, roster.Account->PupilId);
            return roster.Account->SecondsAllowed;
        }
        const QString id = QString::fromStdString(choice->PupilId);
        journal(QString::fromStdString(choice->Surname) + QLatin1Char(' ') +
                    QString::fromStdString(choice->FirstName),
                QString::fromStdString(choice->ClassName), id);
        if (id.isEmpty()) {
            return int(journal::kMinSecondsAllowed);
        }
        const journal::RosterForPupils roster = lookup.Result(kRosterWait);
        const auto seconds = roster.Seconds.find(id);
        return seconds != roster.Seconds.end() ? seconds->second : int(journal::kMinSecondsAllowed);
    };
    return taker;
}

} // namespace app
