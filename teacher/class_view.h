// SPDX-License-Identifier: GPL-3.0-or-later
// The class view pane: a class chosen from the roster, one line per pupil for the days the
// window's filter shows (the mark, the time used and the number of attempts, «не проходил(а)»
// for a pupil without one), the mark taken from the last attempt or the best one as the teacher
// chooses, and under the table the class's mean mark and how many pupils have each mark.
//
// It reads the roster's classes itself, through the connection it is given, and the chosen
// class's pupils and attempts on a thread of its own (background_reads.h), so that a large
// journal never stops the window; a read overtaken by a newer choice is dropped. It changes
// nothing. Not here: the filter bar; the PDF and printing are the window's «Файл» menu
// (the view gives them what it shows, class_pages.h).
#pragma once

#include "journal/attempt_filter.h"
#include "journal/class_results.h"
#include "journal/journal_database.h"
#include "teacher/background_reads.h"
#include "teacher/class_pages.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace teacher {

class ClassView : public QWidget {
    Q_OBJECT

public:
    explicit ClassView(const journal::Connection& connection, QWidget* parent = nullptr);

    // The days to show (the window's filter; its other parts do not apply to a roster).
    void SetFilter(const journal::AttemptFilter& filter);
    // Reads the classes again, and starts reading the chosen class's results.
    void Refresh();
    // Whether the chosen class's results are still being read; Shown follows when they are in.
    bool Reading() const { return reads_.Busy(); }

    // What the pane shows now (tests, exports).
    const journal::ClassResults& Results() const { return results_; }
    QString SummaryText() const;
    // The class, days, choice and lines as shown, for the PDF and printing; none without a class.
    std::optional<ClassSheet> Sheet() const;

    // The shown lines as CSV into the file; true when it was written (the message line says
    // what went wrong otherwise). Nothing is written while the class is still being read.
    bool ExportCsv(const QString& path);

signals:
    // The lines shown changed: emptied while a class is read, then its lines (or why there are
    // none: a read failed, no class to show).
    void Shown();

private:
    void ShowClass();
    void Show(const journal::ClassResults& results, const QString& shownClass);

    journal::Connection connection_;
    journal::AttemptFilter filter_;
    journal::ClassResults results_;
    // The class the shown lines are of; empty when none is shown.
    QString shownClass_;
    QComboBox* class_ = nullptr;
    QComboBox* choice_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    // Last, so that it waits for reads under way before the pane's parts go.
    BackgroundReads reads_;
};

} // namespace teacher
