// SPDX-License-Identifier: GPL-3.0-or-later
// The further sheets of the list's .xlsx, laid out as the window's panes show them.
//
// ClassWorksheet     «Класс»: each pupil of the class view, the mark as a number (or «не
//                    проходил(а)», «без оценки»), the time used as a duration, the attempts
// MistakesWorksheet  «Типичные ошибки»: each mistake with its pupils, rows found and exercise
//                    rows; under it each exercise row's kind, share right and most common mistake
//
// It only lays out what it is given: the class's results and the count come from the caller
// (the export job), and the workbook is written by journal/xlsx_export.
#pragma once

#include "engine/mistake_tally.h"
#include "journal/class_results.h"
#include "journal/xlsx_export.h"

namespace teacher {

journal::XlsxSheet ClassWorksheet(const journal::ClassResults& results);
journal::XlsxSheet MistakesWorksheet(const engine::MistakeTally& tally);

} // namespace teacher
