// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's side lives in a module of its own (fraction-test-teacher.so) that the program
// loads only when it is asked for the teacher's journal window or an .xlsx export, so that the
// pupil's window never loads what only those need (Qt Charts, Qt PrintSupport and the OpenGL
// libraries they bring; libxlsxwriter with minizip and OpenSSL's libcrypto). The module is looked
// for beside the program (the build tree), then in the installed library folder relative to it.
//
// Contents: the two functions the module exports, RunJournalWindowModule and
// WriteXlsxThroughModule. It does not build the window (teacher/run_journal_window.h does) nor
// write the workbook (journal/xlsx_export.h does).
#pragma once

#include "journal/journal_database.h"

#include <QString>

#include <optional>

// The module's entries (journal_window_entry.cpp).
// The teacher's window, its exit status.
extern "C" int FractionTestRunJournalWindow();
// The journal's list (all of it) as a workbook at `target`, or the header row alone when `db` is
// null; an empty problem text when it was written.
extern "C" void FractionTestWriteXlsx(const journal::Connection* db, const QString* target,
                                      QString* problem);

namespace app {

// The names the entries are looked up by.
inline constexpr const char* kJournalWindowEntry = "FractionTestRunJournalWindow";
inline constexpr const char* kWriteXlsxEntry = "FractionTestWriteXlsx";

// Loads the module and runs the teacher's window (the QApplication made already); the event
// loop's exit status. A module that is missing or broken is told in one Russian line, on
// standard error and in a message box, with status 1.
int RunJournalWindowModule();

// Loads the module and writes the workbook; the problem text, empty when it was written. A
// module that is missing or broken is a problem text too (the caller says it).
QString WriteXlsxThroughModule(const std::optional<journal::Connection>& db, const QString& target);

} // namespace app
