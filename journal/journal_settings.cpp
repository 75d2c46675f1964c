// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_settings.h"

#include "journal/journal_database.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace journal {

bool IsServerUri(const QString& text)
{
    // Any "scheme://": a mistyped scheme (pgsql://, postgresq://) is refused as an address,
    // never taken as the path of a file named after the password.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch();
}

QString LogPathBeside(const QString& localPath)
{
    return QFileInfo(localPath).absolutePath() + QStringLiteral("/journal.log");
}

std::optional<IdentityMode> IdentityModeNamed(const QString& value)
{
    const QString word = value.trimmed().toLower();
    if (word == QLatin1String("account")) {
        return IdentityMode::Account;
    }
    if (word == QLatin1String("list")) {
        return IdentityMode::List;
    }
    if (word == QLatin1String("ask")) {
        return IdentityMode::Ask;
    }
    return std::nullopt;
}

JournalSettings ConfiguredJournalSettings()
{
    JournalSettings settings;
    settings.LocalPath = LocalJournalPath();
    const QString fromEnvironment = qEnvironmentVariable(kJournalEnvironmentVariable).trimmed();
    // The user scope falls back to the system-wide file by itself.
    const QSettings file(QSettings::IniFormat, QSettings::UserScope,
                         QStringLiteral("fraction-test"), QStringLiteral("fraction-test"));
    const QString identity = file.value(QStringLiteral("pupil/identity")).toString();
    if (!identity.trimmed().isEmpty()) {
        if (const auto mode = IdentityModeNamed(identity)) {
            settings.Identity = *mode;
        } else {
            settings.UnknownIdentity = identity;
        }
    }
    if (!fromEnvironment.isEmpty()) {
        if (IsServerUri(fromEnvironment)) {
            settings.ServerUri = fromEnvironment;
        } else {
            settings.LocalPath = fromEnvironment;
        }
    } else {
        settings.ServerUri = file.value(QStringLiteral("journal/server")).toString().trimmed();
    }
    settings.LogPath = LogPathBeside(settings.LocalPath);
    return settings;
}

} // namespace journal
