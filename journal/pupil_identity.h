// SPDX-License-Identifier: GPL-3.0-or-later
// Who is taking the test and where: the account's full name from the system's user database
// (the first comma-separated field of the passwd entry's GECOS), else the login name; the
// computer's host name; this program's version. Nothing here is stored or sent.
#pragma once

#include <QString>

namespace journal {

struct PupilIdentity {
    QString Pupil;
    QString Login; // the account's login name (what the roster links pupils by)
    QString Host;
    QString ProgramVersion;
};

// The identity of the account this process runs as.
PupilIdentity ThisPupil();

// The name to show for a passwd entry: GECOS up to its first comma, trimmed, else the login.
QString NameFromPasswd(const char* gecos, const char* login);

// The version this program was built as (the CMake project version).
QString ProgramVersion();

} // namespace journal
