// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/stored_attempt.h"

#include <QTimeZone>
#include <QUuid>

#include <utility>

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

QString Bounded(const QString& text, int limit)
{
    if (text.size() <= limit) {
        return text;
    }
    QString cut = text.left(limit - 1);
    // Never half a surrogate pair.
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) {
        cut.chop(1);
    }
    return cut + QChar(0x2026);
}

std::string Bounded(const std::string& utf8, int limit)
{
    // Cheap for the usual short text: a string of at most `limit` bytes has at most as many
    // characters.
    if (utf8.size() <= static_cast<std::size_t>(limit)) {
        return utf8;
    }
    return Bounded(QString::fromStdString(utf8), limit).toStdString();
}

StoredAttempt BoundedForJournal(StoredAttempt a, bool& cut)
{
    cut = false;
    const auto bound = [&cut](auto& text, int limit) {
        auto bounded = Bounded(text, limit);
        if (bounded != text) {
            text = std::move(bounded);
            cut = true;
        }
    };
    bound(a.Pupil, kMaxNameLength);
    bound(a.Host, kMaxNameLength);
    bound(a.ProgramVersion, kMaxVersionLength);
    bound(a.ClassName, kMaxClassNameLength);
    bound(a.Record.GradeText, kMaxGradeTextLength);
    for (engine::RowRecord& row : a.Record.Rows) {
        bound(row.Typed.Whole, kMaxTypedLength);
        bound(row.Typed.Numerator, kMaxTypedLength);
        bound(row.Typed.Denominator, kMaxTypedLength);
    }
    return a;
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
