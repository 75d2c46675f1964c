// SPDX-License-Identifier: GPL-3.0-or-later
// Where this computer's journal is: the local SQLite file (always written first; it is the
// outbox), the classroom server if one is set up, and the journal's own log file.
//
// The server comes from the environment variable FRACTION_TEST_JOURNAL (which wins, and may
// instead name an SQLite file to use as the local journal) or from the settings file's key
// `journal/server`: the user's ~/.config/fraction-test/fraction-test.ini if there is one, else
// the administrator's /etc/xdg/fraction-test/fraction-test.ini (XDG_CONFIG_HOME and
// XDG_CONFIG_DIRS move them). Nothing here opens a database.
#pragma once

#include <QString>

#include <chrono>

namespace journal {

struct JournalSettings {
    QString LocalPath; // the local SQLite journal
    QString ServerUri; // postgresql://… (or a mistyped address); empty when there is no server
    QString LogPath;   // the journal's own log, with times
    // How often at most a running test's changes are written, and the longest wait between
    // two tries at an unreachable server.
    std::chrono::milliseconds RunningSaveInterval{1000};
    std::chrono::seconds MaxRetryWait{60};
};

inline constexpr const char* kJournalEnvironmentVariable = "FRACTION_TEST_JOURNAL";

// The settings as the environment and the settings file give them.
JournalSettings ConfiguredJournalSettings();

// True for text that is an address ("scheme://…") rather than a file. Only postgresql:// and
// postgres:// name a server; OpenServer refuses any other scheme with a line that says so.
bool IsServerUri(const QString& text);

// journal.log in the folder of the local journal.
QString LogPathBeside(const QString& localPath);

} // namespace journal
