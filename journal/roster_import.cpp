// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/roster_import.h"

#include "journal/stored_attempt.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <variant>

namespace journal {

namespace {

// The fields of one line, quotes undone. A quoted field may not hold a line break here: a
// pupil's name never has one, and a stray quote then spoils one line, not the rest of the file.
QStringList SplitLine(const QString& line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (quoted) {
            if (ch == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (ch == u'"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (ch == separator) {
            fields << field.trimmed();
            field.clear();
        } else {
            field += ch;
        }
    }
    fields << field.trimmed();
    return fields;
}

QChar SeparatorOf(const QString& line)
{
    if (line.contains(u'\t')) {
        return u'\t';
    }
    if (line.contains(u';')) {
        return u';';
    }
    return u',';
}

// The pupil a line's fields describe, or the reason it does not describe one.
std::variant<RosterPupil, QString> PupilOf(QStringList fields)
{
    while (!fields.isEmpty() && fields.last().isEmpty()) {
        fields.removeLast();
    }
    if (fields.size() == 1) {
        const QStringList words = fields.first().split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 2) {
            return QStringLiteral("нужны фамилия и имя, а здесь только «%1»")
                .arg(Bounded(fields.first(), 40));
        }
        fields = {words.first(), words.mid(1).join(u' ')};
    }
    if (fields.size() > 4) {
        return QStringLiteral("полей %1, а бывает не больше четырёх: фамилия, имя, имя входа, "
                              "минуты")
            .arg(fields.size());
    }
    RosterPupil p;
    p.Surname = fields.at(0);
    p.FirstName = fields.at(1);
    if (p.Surname.isEmpty() || p.FirstName.isEmpty()) {
        return QStringLiteral("нет фамилии или имени");
    }
    if (p.Surname.size() > kMaxPersonNameLength || p.FirstName.size() > kMaxPersonNameLength) {
        return QStringLiteral("фамилия или имя длиннее %1 знаков").arg(kMaxPersonNameLength);
    }
    if (fields.size() > 2) {
        static const QRegularExpression login(QStringLiteral("^[A-Za-z0-9._@-]+$"));
        p.Logins = fields.at(2).split(u' ', Qt::SkipEmptyParts);
        for (const QString& name : p.Logins) {
            if (!login.match(name).hasMatch()) {
                return QStringLiteral("имя входа «%1» записано неверно: только латинские буквы, "
                                      "цифры и знаки . _ - @")
                    .arg(Bounded(name, 40));
            }
        }
        if (fields.at(2).size() > kMaxNameLength) {
            return QStringLiteral("имена входа длиннее %1 знаков").arg(kMaxNameLength);
        }
    }
    if (fields.size() > 3) {
        bool number = false;
        const int minutes = fields.at(3).toInt(&number);
        if (!number) {
            return QStringLiteral("время на тест «%1» — не число минут")
                .arg(Bounded(fields.at(3), 20));
        }
        if (minutes < kMinRosterMinutes || minutes > kMaxRosterMinutes) {
            return QStringLiteral("время на тест %1 мин, а бывает от %2 до %3 минут (всё время, "
                                  "а не добавка)")
                .arg(minutes)
                .arg(kMinRosterMinutes)
                .arg(kMaxRosterMinutes);
        }
        p.Minutes = minutes;
    }
    return p;
}

} // namespace

RosterImport ParseRoster(const QString& text)
{
    RosterImport result;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    std::optional<QChar> separator;
    QStringList logins;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty()) {
            continue;
        }
        if (!separator) {
            separator = SeparatorOf(line);
            if (line.trimmed().startsWith(QStringLiteral("Фамилия"), Qt::CaseInsensitive)) {
                continue;
            }
        }
        const auto pupil = PupilOf(SplitLine(line, *separator));
        if (const QString* why = std::get_if<QString>(&pupil)) {
            result.Problems.push_back(
                {lineNo, QStringLiteral("Строка %1: %2").arg(lineNo).arg(*why)});
            continue;
        }
        const RosterPupil& p = std::get<RosterPupil>(pupil);
        const auto taken = std::find_if(p.Logins.begin(), p.Logins.end(),
                                        [&](const QString& l) { return logins.contains(l); });
        if (taken != p.Logins.end()) {
            result.Problems.push_back(
                {lineNo, QStringLiteral("Строка %1: имя входа «%2» уже есть выше в списке")
                             .arg(lineNo)
                             .arg(*taken)});
            continue;
        }
        logins << p.Logins;
        result.Pupils.push_back(p);
        result.PupilLines.push_back(lineNo);
    }
    return result;
}

QString RosterTextFromBytes(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
        }
        return text;
    }
    QStringDecoder cp1251("windows-1251");
    if (cp1251.isValid()) {
        return cp1251.decode(bytes);
    }
    return text;
}

} // namespace journal
