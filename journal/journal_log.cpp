// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_log.h"

#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <utility>

namespace journal {

JournalLog::JournalLog(QString path) : path_(std::move(path)) {}

void JournalLog::Write(const QString& line)
{
    const QByteArray text = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) +
                             QLatin1Char(' ') + line + QLatin1Char('\n'))
                                .toUtf8();
    const std::lock_guard lock(mutex_);
    QFile file(path_);
    // The log names pupils: readable by the account only, like the journal.
    // A full disk often takes the write into QFile's buffer and fails only at the flush.
    if (!path_.isEmpty() &&
        file.open(QIODevice::WriteOnly | QIODevice::Append, QFile::ReadOwner | QFile::WriteOwner) &&
        file.write(text) == text.size() && file.flush()) {
        return;
    }
    std::fprintf(stderr, "fraction-test: %s", text.constData());
}

void JournalLog::SetPath(QString path)
{
    const std::lock_guard lock(mutex_);
    path_ = std::move(path);
}

QString JournalLog::Path() const
{
    const std::lock_guard lock(mutex_);
    return path_;
}

} // namespace journal
