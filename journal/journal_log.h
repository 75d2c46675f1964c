// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's own log: one line per event with the local time, appended to a file the pupil
// never sees (journal.log beside the local journal). Safe to call from any thread. When the
// file cannot be written (opened, written or flushed: a full disk) the line goes to standard
// error instead, so it is never lost silently.
#pragma once

#include <QString>

#include <mutex>

namespace journal {

class JournalLog {
public:
    explicit JournalLog(QString path);
    void Write(const QString& line);
    // Where later lines go (the journal learns its folder from the settings after it starts).
    void SetPath(QString path);
    QString Path() const;

private:
    QString path_;
    mutable std::mutex mutex_;
};

} // namespace journal
