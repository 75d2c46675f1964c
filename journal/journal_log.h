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
    const QString& Path() const { return path_; }

private:
    QString path_;
    std::mutex mutex_;
};

} // namespace journal
