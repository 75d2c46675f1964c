// SPDX-License-Identifier: GPL-3.0-or-later
// One attempt as the pupil saw it: who, where, when, how long and how it ended, then the ten
// exercises written with stacked fractions, the pupil's answer, the right answer, the verdict
// in the program's green and red and, beside a wrong row, the mistake its answer reveals.
//
// It shows an attempt it is given; it does not read or change the journal.
#pragma once

#include "journal/stored_attempt.h"

#include <QWidget>

#include <optional>

class QLabel;
class QStackedLayout;

namespace teacher {

class FractionView;

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

private:
    std::optional<journal::StoredAttempt> shown_;
    QStackedLayout* pages_ = nullptr;
    QLabel* nothing_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* facts_ = nullptr;
};

} // namespace teacher
