// SPDX-License-Identifier: GPL-3.0-or-later
// How the teacher's window writes the parts of an attempt as text: dates in the school's form
// (dd.MM.yyyy), the time used, the operation's sign, the verdict, counts with their Russian
// word forms, the colours of a verdict, and what a wrong answer reveals. Shared by the window,
// the PDF and the printout.
//
// It reads no journal and formats nothing it is not given.
#pragma once

#include "engine/attempt_record.h"
#include "engine/attempt_review.h"
#include "engine/mistake_habits.h"
#include "engine/mistake_tally.h"
#include "engine/operation.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace journal {
struct StoredAttempt;
}

namespace teacher {

// The program's verdict colours: dark green for right, dark red for wrong.
inline QColor RightColour()
{
    return {0, 100, 0};
}
inline QColor WrongColour()
{
    return {100, 0, 0};
}

// A time as stored in a journal (a QDateTime, or UTC ISO 8601 text), as a UTC QDateTime;
// invalid if it is neither.
QDateTime StoredTime(const QVariant& value);

// Local date and time, "10.12.2026 09:05"; empty for an invalid time.
QString DateTimeText(const QDateTime& time);
// Local date, "10.12.2026".
QString DateText(const QDate& date);

// Seconds as minutes and seconds, "7:05".
QString DurationText(int seconds);

// "·" for multiplication, ":" for division, as written in a Russian school.
QString OperationSign(engine::Operation op);
// "умножить на", "разделить на": the sign in words for screen readers.
QString OperationWords(engine::Operation op);

// "верно", "неверно", or "не проверено" for a row never judged.
QString VerdictText(const std::optional<bool>& right);

// The noun after a number, in the form Russian needs: 1 попытка, 2 попытки, 5 попыток.
// `forms` are the forms for 1, 2 and 5.
QString CountedWord(long long count, const QString& one, const QString& few, const QString& many);

// The mean mark written with one decimal, "4,3"; "—" when there is none.
QString AverageText(const std::optional<double>& average);

// A name or another stored text as it is shown: at most the journal's limit, cut with "…".
// Every stored text is shown as plain text; this keeps a forged huge one from costing the window
// its memory.
QString ShownName(const QString& stored);

// What is known of an attempt besides its pupil and start, one line each: the computer, the
// time used, how it ended and, once judged, the right answers and the mark as the answers earn
// them; from a server, when it received the attempt, from which address and which role sent
// it; and whether the record holds together («Проверка: сходится» or «Проверка: не сходится:
// …»). The attempt view and its printed page show the same lines.
QStringList AttemptFacts(const journal::StoredAttempt& attempt,
                         const engine::AttemptReview& review);

// What a wrong row's answer reveals, in a few words: "не перевёрнут делитель; ответ не
// сокращён". Empty for a row judged right or never judged.
QString RowMistakeText(const engine::RowRecord& row);

// A share as a whole percentage, "85 %".
QString PercentText(double percent);

// One mistake of the class: "не перевёрнут делитель — 2 ученика, 3 раза; задания 2, 6".
QString MistakeCountText(const engine::MistakeCount& count);
// The exercise rows it was made on, "2, 6, 10".
QString MistakeRowsText(const engine::MistakeCount& count);
// One exercise row of the class: "Задание 2 (дробь : дробь): верно 75 % из 4; чаще всего — не
// перевёрнут делитель (3 раза)".
QString RowSummaryText(int row, const engine::RowSummary& summary);
// The whole tally as plain text, the class view's text equivalent: the mistakes, largest
// first, then the ten rows.
QString MistakeTallyText(const engine::MistakeTally& tally);

// The attempts a pupil's mistake was made in, by their labels: "08.12.2026 09:00, 10.12.2026
// 09:05".
QString HabitAttemptsText(const engine::MistakeHabit& habit, const engine::MistakeHabits& habits);
// One mistake across a pupil's attempts: "не перевёрнут делитель — в 2 попытках из 3
// (08.12.2026 09:00, 10.12.2026 09:05), 3 раза: повторяется".
QString HabitText(const engine::MistakeHabit& habit, const engine::MistakeHabits& habits);
// "Ошибки ученика по попыткам: Ким Мария, 3 попытки с оценкой:", ending "; ошибок нет." when
// there is none to list, or "; попыток с оценкой нет." when no attempt was judged.
QString PupilHabitsHeading(const QString& pupil, const engine::MistakeHabits& habits);
// The pupil's mistakes across attempts as plain text, the most persistent first, headed by
// «Ошибки ученика по попыткам» and the pupil's name as shown.
QString PupilHabitsText(const QString& pupil, const engine::MistakeHabits& habits);

} // namespace teacher
