// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/class_results.h"

#include "journal/attempt_check.h"

namespace journal {

namespace {

bool Belongs(const StoredAttempt& a, const RosterPupil& p)
{
    if (!a.RosterPupilId.isEmpty()) {
        return a.RosterPupilId == p.Id;
    }
    return a.Pupil.simplified().toCaseFolded() == FullName(p).simplified().toCaseFolded();
}

} // namespace

bool TakesPlace(MarkChoice choice, int mark, const QDateTime& startedAt, int chosenMark,
                const QDateTime& chosenAt)
{
    return choice == MarkChoice::Last
               ? startedAt >= chosenAt
               : (mark > chosenMark || (mark == chosenMark && startedAt >= chosenAt));
}

ClassResults SummariseClass(const std::vector<RosterPupil>& pupils,
                            const std::vector<StoredAttempt>& attempts, MarkChoice choice)
{
    ClassResults results;
    int marked = 0;
    int total = 0;
    for (const RosterPupil& p : pupils) {
        PupilResult line{p, 0, std::nullopt, std::nullopt};
        std::optional<QDateTime> chosenAt;
        for (const StoredAttempt& a : attempts) {
            if (!Belongs(a, p)) {
                continue;
            }
            ++line.Attempts;
            const std::optional<int> mark = CheckAttempt(a).Mark;
            if (!mark) {
                continue;
            }
            if (!line.Mark || TakesPlace(choice, *mark, a.StartedAt, *line.Mark, *chosenAt)) {
                line.Mark = mark;
                line.Seconds = a.Record.SecondsUsed;
                chosenAt = a.StartedAt;
            }
        }
        if (line.Mark && *line.Mark >= 2 && *line.Mark <= 5) {
            ++results.Counts.at(static_cast<std::size_t>(*line.Mark - 2));
            ++marked;
            total += *line.Mark;
        }
        results.Lines.push_back(line);
    }
    if (marked > 0) {
        results.Mean = static_cast<double>(total) / marked;
    }
    return results;
}

} // namespace journal
