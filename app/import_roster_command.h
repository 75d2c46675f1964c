// SPDX-License-Identifier: GPL-3.0-or-later
// `fraction-test --import-roster FILE --class NAME`: the pupils of a CSV file (roster_import.h
// says which) into the class of that name in the configured journal (FRACTION_TEST_JOURNAL,
// else the settings file's server, else the local file, created if missing). A class not in the
// journal yet is added for the current school year.
//
// All or nothing: a file with a line it cannot read imports nothing; each such line gets its
// Russian message on standard error and the status is 1, as for a file that cannot be read or a
// journal that cannot be written. What was added and updated is said on standard output.
#pragma once

#include <QString>

namespace app {

// Needs a QCoreApplication; gives the exit status.
int RunImportRoster(const QString& file, const QString& className);

} // namespace app
