// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/stored_attempt.h"

#include <QTimeZone>
#include <QUuid>

namespace journal {

QString EndingText(engine::AttemptEnd end)
{
    switch (end) {
    case engine::AttemptEnd::HandedIn:
        return QStringLiteral("сдан");
    case engine::AttemptEnd::TimedOut:
        return QStringLiteral("время вышло");
    case engine::AttemptEnd::Interrupted:
        return QStringLiteral("прерван");
    case engine::AttemptEnd::Running:
        break;
    }
    return QStringLiteral("идёт");
}

QString EndingCode(engine::AttemptEnd end)
{
    switch (end) {
    case engine::AttemptEnd::HandedIn:
        return QStringLiteral("handed_in");
    case engine::AttemptEnd::TimedOut:
        return QStringLiteral("timed_out");
    case engine::AttemptEnd::Interrupted:
        return QStringLiteral("interrupted");
    case engine::AttemptEnd::Running:
        break;
    }
    return QStringLiteral("running");
}

std::optional<engine::AttemptEnd> EndingFromCode(const QString& code)
{
    for (const auto end : {engine::AttemptEnd::Running, engine::AttemptEnd::HandedIn,
                           engine::AttemptEnd::TimedOut, engine::AttemptEnd::Interrupted}) {
        if (code == EndingCode(end)) {
            return end;
        }
    }
    return std::nullopt;
}

QString NewAttemptId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

bool IsAttemptId(const QString& id)
{
    return id.size() == 36 && QUuid::fromString(id).toString(QUuid::WithoutBraces) == id.toLower();
}

QString StorageTimeText(const QDateTime& t)
{
    if (!t.isValid()) {
        return {};
    }
    return t.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime TimeFromStorageText(const QString& text)
{
    if (text.isEmpty()) {
        return {};
    }
    QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!t.isValid()) {
        return {};
    }
    return t.toUTC();
}

} // namespace journal
