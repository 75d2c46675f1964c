// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/pupil_identity.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace journal {

QString NameFromPasswd(const char* gecos, const char* login)
{
    const QString full = QString::fromUtf8(gecos ? gecos : "").section(u',', 0, 0).trimmed();
    return full.isEmpty() ? QString::fromUtf8(login ? login : "").trimmed() : full;
}

PupilIdentity ThisPupil()
{
    PupilIdentity identity;
    identity.Host = QSysInfo::machineHostName();
    identity.ProgramVersion = ProgramVersion();
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        identity.Pupil = NameFromPasswd(found->pw_gecos, found->pw_name);
        identity.Login = QString::fromUtf8(found->pw_name ? found->pw_name : "");
    }
    if (identity.Pupil.isEmpty()) {
        identity.Pupil = qEnvironmentVariable("USER", QStringLiteral("?"));
    }
    return identity;
}

QString ProgramVersion()
{
    return QStringLiteral(FRACTION_TEST_VERSION);
}

} // namespace journal
