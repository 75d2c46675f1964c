// SPDX-License-Identifier: GPL-3.0-or-later
// The class view (class_view.h) as printed, for a PDF file or a printer: on every page the
// class, the days, which attempt gives the mark, the class's mean mark and how many pupils have
// each mark, then one line per pupil as the view shows it, with the test's name and «Страница N
// из M» (the pages are list_pages.h's, as the list's are). Also the words the view and its pages
// share, so that paper and screen say the same.
//
// ClassSheet        what is printed: the class, the days, the choice and the results
// ChoiceWords       «последняя попытка» or «лучшая попытка»
// ClassLineCells    one pupil's line: name, mark or «не проходил(а)», time, attempts
// ClassSummaryText  the mean mark and the count of each mark
// PaintClass        the pages on any paged device, stopping between lines when asked
//
// It reads no journal, counts nothing (class_results.h does) and chooses no file or printer.
#pragma once

#include "journal/attempt_filter.h"
#include "journal/class_results.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace teacher {

class JobContext;

struct ClassSheet {
    QString ClassName; // as the view's list of classes shows it: «6А (2026/2027)»
    journal::AttemptFilter Days;
    journal::MarkChoice Choice = journal::MarkChoice::Last;
    journal::ClassResults Results;
};

QString ChoiceWords(journal::MarkChoice choice);
QStringList ClassLineCells(const journal::PupilResult& line);
QString ClassSummaryText(const journal::ClassResults& results);

// `context`, when given, gets the progress and may stop the painting (a printer's pages not yet
// sent are then dropped). Throws journal::JournalError when the device cannot be painted on.
void PaintClass(const ClassSheet& sheet, QPagedPaintDevice& device, JobContext* context);

} // namespace teacher
