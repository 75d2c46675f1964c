// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» pane: for the attempts the list shows, each mistake with how many
// pupils made it and on which exercise rows, largest first, as a table and a bar chart; each of
// the ten rows with its kind, the share right and its most common mistake; and all of it as
// plain text beside them (shown, and given to screen readers as the chart's description).
// When every attempt shown is one pupil's (the name filter narrowed the list to them), a section
// «Ошибки ученика по попыткам» comes first: each of that pupil's mistakes with the attempts it
// was made in and whether it «повторяется» or «больше не встречается», in the table and the
// text alike, and under it the practice sheet's commands for all those attempts' mistakes, the
// persisting habits first (practice_sheet_commands.h). It follows the list rather than the attempt
// chosen in it: one attempt cannot show a habit, and the class part and the pupil's part then speak
// of the same attempts.
//
// It follows the list's filter by itself and counts again only when it is shown after a
// change, on a thread of its own with its own connection to the journal (background_reads.h),
// so that a large journal never stops the window; a count overtaken by a newer one is dropped.
// It does not
// change the journal, and the counting is the engine's (MistakeTally).
#pragma once

#include "engine/mistake_tally.h"
#include "journal/journal_database.h"
#include "teacher/background_reads.h"
#include "teacher/mistake_data.h"

#include <QWidget>

#include <optional>

class QChartView;
class QLabel;
class QTableWidget;

namespace teacher {

class AttemptListModel;
class PracticeSheetCommands;

class MistakesView : public QWidget {
    Q_OBJECT

public:
    MistakesView(journal::Connection connection, const AttemptListModel& list,
                 QWidget* parent = nullptr);
    // Shows mistakes counted elsewhere (the pane counts its own when shown).
    void Show(const ShownMistakes& shown);
    // Starts counting the attempts the list's filter lets through; they are shown when done.
    void Update();
    // Whether a count is under way.
    bool Counting() const { return reads_.Busy(); }

    QTableWidget* MistakeTable() const { return mistakes_; }
    // The one pupil's mistakes across attempts; hidden unless the attempts shown are one
    // pupil's.
    QTableWidget* PupilTable() const { return pupil_; }
    // The one pupil's practice sheet; hidden unless the attempts shown are one pupil's.
    PracticeSheetCommands* PracticeSheet() const { return practice_; }
    QTableWidget* RowTable() const { return rows_; }
    QChartView* Chart() const { return chart_; }
    QString Text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPupil(const std::optional<PupilMistakes>& pupil);

    journal::Connection connection_;
    const AttemptListModel& list_;
    bool stale_ = true;
    QLabel* heading_ = nullptr;
    QLabel* pupilHeading_ = nullptr;
    QTableWidget* pupil_ = nullptr;
    // The pupil shown, whose attempts the practice sheet is made from.
    std::optional<PupilMistakes> pupilShown_;
    PracticeSheetCommands* practice_ = nullptr;
    QTableWidget* mistakes_ = nullptr;
    QChartView* chart_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QLabel* text_ = nullptr;
    // Last, so that it waits for the counts under way before the pane's parts go.
    BackgroundReads reads_;
};

} // namespace teacher
