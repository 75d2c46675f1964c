// SPDX-License-Identifier: GPL-3.0-or-later
// `fraction-test --export-csv FILE`: the configured journal (FRACTION_TEST_JOURNAL, else the
// settings file's server, else the local file) as CSV into FILE, or standard output for "-";
// `--export-xlsx FILE` the same as an Excel workbook (see journal/xlsx_export.h). A regular file
// is written whole or not at all (an atomic save); a FIFO or a device is written straight into.
// The journal is opened read-only and read whole before anything is written, so a read that
// fails leaves no file behind. Problems give one Russian line on standard error and
// status 1. A local journal that does not exist yet gives the header row only and is not created.
#pragma once

#include <QString>

namespace app {

// Needs a QCoreApplication; gives the exit status.
int RunExportCsv(const QString& target);
int RunExportXlsx(const QString& target);

} // namespace app
