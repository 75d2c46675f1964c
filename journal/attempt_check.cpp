// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/attempt_check.h"

#include <QUuid>

namespace journal {

namespace {

// The clocks of the pupil's computer and of the journal's writer may differ by a little; an
// ending a few seconds earlier than the start plus the seconds counted is still honest.
constexpr qint64 kClockSlackMs = 5000;

} // namespace

engine::AttemptReview CheckAttempt(const StoredAttempt& attempt)
{
    engine::AttemptReview review =
        engine::ReviewAttempt(attempt.Record, attempt.Record.SecondsAllowed);
    auto& problems = review.Problems;
    if (QUuid::fromString(attempt.Id).isNull()) {
        problems.emplace_back("номер попытки не UUID");
    }
    if (!attempt.StartedAt.isValid()) {
        problems.emplace_back("нет времени начала");
    }
    const bool running = attempt.Record.End == engine::AttemptEnd::Running;
    if (running && attempt.EndedAt.isValid()) {
        problems.emplace_back("у идущего теста есть время окончания");
    } else if (!running && !attempt.EndedAt.isValid()) {
        problems.emplace_back("нет времени окончания");
    } else if (!running && attempt.StartedAt.isValid() &&
               attempt.StartedAt.msecsTo(attempt.EndedAt) <
                   qint64(attempt.Record.SecondsUsed) * 1000 - kClockSlackMs) {
        problems.emplace_back("от начала до окончания прошло меньше затраченного времени");
    }
    return review;
}

QString CheckTextOf(const engine::AttemptReview& review)
{
    return QString::fromStdString(engine::CheckText(review));
}

} // namespace journal
