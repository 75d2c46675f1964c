// SPDX-License-Identifier: GPL-3.0-or-later
// The table of attempts: its columns (widths for their usual contents; who, when and the mark
// first, so that a narrow list shows them), and the list as the keyboard uses it: whenever the list
// is filled its first row is chosen and shown at the top (after a new filter or a sort alike), so
// the attempt pane is never empty while there is an attempt to show; a refresh keeps the chosen
// attempt where it still is; Ctrl+Home and Ctrl+End go to the first and the last attempt, fetching
// the rest of the list for the last; Tab into the list keeps the chosen row, or chooses the first
// when none is.
//
// It reads what the model holds and fetches more rows only for Ctrl+End; it never changes the
// journal.
#pragma once

#include <QTableView>

namespace teacher {

class AttemptListModel;

class AttemptListView : public QTableView {
    Q_OBJECT

public:
    explicit AttemptListView(QWidget* parent = nullptr);

    // Shows `attempts` with the columns set up as above.
    void ShowAttempts(AttemptListModel* attempts);
    // The width the list needs to show its columns up to the mark whole, as they stand.
    int WidthUpToMark() const;

    // Chooses the attempt `keepId` if the list holds it among its fetched rows, else the first
    // row, and scrolls so that it is seen. Called by the window after each reload.
    void ChooseAfterReload(const QString& keepId = {});

    // The attempt on the current row; empty when there is none.
    QString CurrentId() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    AttemptListModel* Attempts() const;
    void ChooseRow(int row);
};

} // namespace teacher
