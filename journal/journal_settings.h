// SPDX-License-Identifier: GPL-3.0-or-later
// Where this computer's journal is: the local SQLite file (always written first; it is the
// outbox), the classroom server if one is set up, and the journal's own log file.
//
// The server comes from the environment variable FRACTION_TEST_JOURNAL (which wins, and may
// instead name an SQLite file to use as the local journal) or from the settings file's key
// `journal/server`: the user's ~/.config/fraction-test/fraction-test.ini if there is one, else
// the administrator's /etc/xdg/fraction-test/fraction-test.ini (XDG_CONFIG_HOME and
// XDG_CONFIG_DIRS move them). The same file's `[pupil] identity=` says who takes a test:
// `account` (the default), `list` or `ask`. Nothing here opens a database.
#pragma once

#include <QString>

#include <chrono>
#include <optional>

namespace journal {

// Who takes a test: the account's owner (linked to the roster by login), a pupil picked from
// the roster's list, or a pupil who types their name and class.
enum class IdentityMode { Account, List, Ask };

struct JournalSettings {
    QString LocalPath; // the local SQLite journal
    QString ServerUri; // postgresql://… (or a mistyped address); empty when there is no server
    QString LogPath;   // the journal's own log, with times
    // How often at most a running test's changes are written, and the longest wait between
    // two tries at an unreachable server.
    std::chrono::milliseconds RunningSaveInterval{1000};
    std::chrono::seconds MaxRetryWait{60};
    IdentityMode Identity = IdentityMode::Account;
    // The `identity` value as written when it is none of the three (then Account is used).
    QString UnknownIdentity;
};

// The mode a settings value names (any case, spaces around ignored); nothing for another word.
std::optional<IdentityMode> IdentityModeNamed(const QString& value);

inline constexpr const char* kJournalEnvironmentVariable = "FRACTION_TEST_JOURNAL";

// The settings as the environment and the settings file give them.
JournalSettings ConfiguredJournalSettings();

// True for text that is an address ("scheme://…") rather than a file. Only postgresql:// and
// postgres:// name a server; OpenServer refuses any other scheme with a line that says so.
bool IsServerUri(const QString& text);

// journal.log in the folder of the local journal.
QString LogPathBeside(const QString& localPath);

} // namespace journal
