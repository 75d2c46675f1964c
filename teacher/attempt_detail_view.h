// SPDX-License-Identifier: GPL-3.0-or-later
// One attempt as the pupil saw it: who, where, when, how long and how it ended, then the ten
// exercises written with stacked fractions, the pupil's answer, the right answer, the verdict
// in the program's green and red and, beside a wrong row, the mistake its answer reveals.
//
// Under the facts, «Лист для тренировки…» saves a practice sheet for the attempt's mistakes as
// PDF and «Напечатать лист…» asks for one to be printed (practice_sheet_commands.h; enabled when
// there is something to practise).
//
// It shows an attempt it is given; it does not read or change the journal.
#pragma once

#include "journal/stored_attempt.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QStackedLayout;

namespace teacher {

class FractionView;
class PracticeSheetCommands;

class AttemptDetailView : public QWidget {
    Q_OBJECT

public:
    explicit AttemptDetailView(QWidget* parent = nullptr);

    void ShowAttempt(const journal::StoredAttempt& attempt);
    // Shows `why` instead of an attempt ("Выберите попытку в списке").
    void ShowNothing(const QString& why);
    const std::optional<journal::StoredAttempt>& Shown() const { return shown_; }

    // Child widgets by row, for the window's tests and for screen readers' names.
    FractionView* First(int row) const;
    FractionView* Second(int row) const;
    FractionView* Answer(int row) const;
    FractionView* Key(int row) const;
    QLabel* Verdict(int row) const;
    QLabel* MistakeLabel(int row) const;
    QPushButton* PracticeButton() const;
    PracticeSheetCommands* PracticeSheet() const { return practice_; }

    // Writes a new practice sheet for the shown attempt's mistakes to `path` as PDF; false,
    // with the reason shown beside the button, if there is none or the file cannot be written.
    bool SavePracticeSheet(const QString& path);

private:
    std::optional<journal::StoredAttempt> shown_;
    QStackedLayout* pages_ = nullptr;
    QLabel* nothing_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* facts_ = nullptr;
    PracticeSheetCommands* practice_ = nullptr;
};

} // namespace teacher
