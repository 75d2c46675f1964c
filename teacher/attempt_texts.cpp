// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_texts.h"

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
    facts << QStringLiteral("Проверка: %1").arg(journal::CheckTextOf(review));
    return facts;
}

} // namespace teacher
