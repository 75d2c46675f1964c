// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_texts.h"

#include "engine/mistake_diagnosis.h"
#include "journal/attempt_check.h"
#include "journal/stored_attempt.h"
#include "teacher/teacher_words.h"

#include <QLocale>

#include <cstdlib>

namespace teacher {

namespace {

const QLocale& Russian()
{
    static const QLocale locale(QLocale::Russian, QLocale::Russia);
    return locale;
}

} // namespace

QDateTime StoredTime(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime) {
        return value.toDateTime().toUTC();
    }
    return journal::TimeFromStorageText(value.toString());
}

QString DateTimeText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                          : QString();
}

QString DateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString DurationText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString OperationSign(engine::Operation op)
{
    return op == engine::Operation::Divide ? QStringLiteral(":") : QStringLiteral("·");
}

QString OperationWords(engine::Operation op)
{
    return op == engine::Operation::Divide ? QStringLiteral("разделить на")
                                           : QStringLiteral("умножить на");
}

QString VerdictText(const std::optional<bool>& right)
{
    if (!right) {
        return QStringLiteral("не проверено");
    }
    return *right ? QStringLiteral("верно") : QStringLiteral("неверно");
}

QString CountedWord(long long count, const QString& one, const QString& few, const QString& many)
{
    const long long n = std::llabs(count) % 100;
    if (n >= 11 && n <= 14) {
        return many;
    }
    switch (n % 10) {
    case 1:
        return one;
    case 2:
    case 3:
    case 4:
        return few;
    default:
        return many;
    }
}

QString AverageText(const std::optional<double>& average)
{
    return average ? Russian().toString(*average, 'f', 1) : QStringLiteral("—");
}

QString ShownName(const QString& stored)
{
    return journal::Bounded(stored, journal::kMaxNameLength);
}

QStringList AttemptFacts(const journal::StoredAttempt& attempt, const engine::AttemptReview& review)
{
    const engine::AttemptRecord& record = attempt.Record;
    QStringList facts{QStringLiteral("Компьютер: %1").arg(ShownName(attempt.Host)),
                      QStringLiteral("Время: %1 из 10:00").arg(DurationText(record.SecondsUsed)),
                      QStringLiteral("Итог: %1").arg(journal::EndingText(record.End))};
    if (review.RightCount) {
        facts << QStringLiteral("Верных ответов: %1 из %2")
                     .arg(*review.RightCount)
                     .arg(engine::kAttemptRows);
    }
    if (review.Mark) {
        // The grade's words without the mark they start with, which the line already shows.
        facts << QStringLiteral("Отметка: %1 («%2»)")
                     .arg(*review.Mark)
                     .arg(words::GradeWords(review.GradeText));
    }
    // What the server wrote itself; a local journal has none of it.
    if (attempt.ReceivedAt.isValid()) {
        facts << QStringLiteral("Получена сервером: %1").arg(DateTimeText(attempt.ReceivedAt));
    }
    if (!attempt.ReceivedFrom.isEmpty() || !attempt.ReceivedRole.isEmpty()) {
        const QString unknown = QStringLiteral("неизвестно");
        facts << QStringLiteral("Отправлена с адреса %1, роль %2")
                     .arg(attempt.ReceivedFrom.isEmpty() ? unknown : attempt.ReceivedFrom,
                          attempt.ReceivedRole.isEmpty() ? unknown : attempt.ReceivedRole);
    }
    facts << QStringLiteral("Проверка: %1").arg(journal::CheckTextOf(review));
    return facts;
}

QString RowMistakeText(const engine::RowRecord& row)
{
    return QString::fromStdString(engine::RowMistakeWords(row));
}

QString PercentText(double percent)
{
    return Russian().toString(percent, 'f', 0) + QStringLiteral(" %");
}

namespace {

QString TimesText(long long times)
{
    return QStringLiteral("%1 %2").arg(times).arg(
        CountedWord(times, QStringLiteral("раз"), QStringLiteral("раза"), QStringLiteral("раз")));
}

} // namespace

QString MistakeRowsText(const engine::MistakeCount& count)
{
    QStringList rows;
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        if (count.PerRow.at(static_cast<std::size_t>(row)) > 0) {
            rows << QString::number(row + 1);
        }
    }
    return rows.join(QStringLiteral(", "));
}

QString MistakeCountText(const engine::MistakeCount& count)
{
    const QString rows = MistakeRowsText(count);
    return QStringLiteral("%1 — %2 %3, %4; %5 %6")
        .arg(QString::fromStdString(engine::MistakeWords(count.Which)))
        .arg(count.Pupils)
        .arg(CountedWord(count.Pupils, QStringLiteral("ученик"), QStringLiteral("ученика"),
                         QStringLiteral("учеников")))
        .arg(TimesText(count.Rows))
        .arg(rows.contains(QLatin1Char(',')) ? QStringLiteral("задания")
                                             : QStringLiteral("задание"))
        .arg(rows);
}

QString RowSummaryText(int row, const engine::RowSummary& summary)
{
    const QString task = QStringLiteral("Задание %1").arg(row + 1);
    if (summary.Judged == 0) {
        return task + QStringLiteral(": проверенных ответов нет");
    }
    QString text =
        QStringLiteral("%1 (%2): верно %3 из %4")
            .arg(task, QString::fromStdString(summary.Kind), PercentText(summary.RightPercent()))
            .arg(summary.Judged);
    if (summary.MostCommon) {
        text += QStringLiteral("; чаще всего — %1 (%2)")
                    .arg(QString::fromStdString(engine::MistakeWords(*summary.MostCommon)),
                         TimesText(summary.MostCommonRows));
    }
    return text;
}

QString MistakeTallyText(const engine::MistakeTally& tally)
{
    const std::vector<engine::MistakeCount> mistakes = tally.Mistakes();
    QStringList lines{
        QStringLiteral("Типичные ошибки в %1 %2:")
            .arg(tally.Attempts())
            .arg(CountedWord(tally.Attempts(), QStringLiteral("попытке"),
                             QStringLiteral("попытках"), QStringLiteral("попытках")))};
    if (mistakes.empty()) {
        lines << QStringLiteral("ошибок нет.");
    }
    for (const engine::MistakeCount& count : mistakes) {
        lines << MistakeCountText(count);
    }
    lines << QString() << QStringLiteral("По заданиям:");
    const auto rows = tally.Rows();
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        lines << RowSummaryText(row, rows.at(static_cast<std::size_t>(row)));
    }
    return lines.join(QLatin1Char('\n'));
}

QString HabitAttemptsText(const engine::MistakeHabit& habit, const engine::MistakeHabits& habits)
{
    QStringList labels;
    for (const int attempt : habit.Attempts) {
        labels << QString::fromStdString(habits.Labels().at(static_cast<std::size_t>(attempt)));
    }
    return labels.join(QStringLiteral(", "));
}

QString HabitText(const engine::MistakeHabit& habit, const engine::MistakeHabits& habits)
{
    const auto inAttempts = static_cast<long long>(habit.Attempts.size());
    return QStringLiteral("%1 — в %2 %3 из %4 (%5), %6: %7")
        .arg(QString::fromStdString(engine::MistakeWords(habit.Which)))
        .arg(inAttempts)
        .arg(CountedWord(inAttempts, QStringLiteral("попытке"), QStringLiteral("попытках"),
                         QStringLiteral("попытках")))
        .arg(habits.Labels().size())
        .arg(HabitAttemptsText(habit, habits), TimesText(habit.Rows),
             QString::fromStdString(engine::HabitStateWords(habit.State)));
}

QString PupilHabitsHeading(const QString& pupil, const engine::MistakeHabits& habits)
{
    const QString start = QStringLiteral("Ошибки ученика по попыткам: %1").arg(ShownName(pupil));
    const auto attempts = static_cast<long long>(habits.Labels().size());
    if (attempts == 0) {
        return start + QStringLiteral("; попыток с оценкой нет.");
    }
    return QStringLiteral("%1, %2 %3 с оценкой%4")
        .arg(start)
        .arg(attempts)
        .arg(CountedWord(attempts, QStringLiteral("попытка"), QStringLiteral("попытки"),
                         QStringLiteral("попыток")))
        .arg(habits.Habits().empty() ? QStringLiteral("; ошибок нет.") : QStringLiteral(":"));
}

QString PupilHabitsText(const QString& pupil, const engine::MistakeHabits& habits)
{
    QStringList lines{PupilHabitsHeading(pupil, habits)};
    for (const engine::MistakeHabit& habit : habits.Habits()) {
        lines << HabitText(habit, habits);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace teacher
