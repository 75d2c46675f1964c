// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» pane: for the attempts the list shows, each mistake with how many
// pupils made it and on which exercise rows, largest first, as a table and a bar chart; each of
// the ten rows with its kind, the share right and its most common mistake; and all of it as
// plain text beside them (shown, and given to screen readers as the chart's description).
//
// It follows the list's filter by itself and counts again only when it is shown after a
// change, on a thread of its own with its own connection to the journal, so that a large
// journal never stops the window; a count overtaken by a newer one is dropped. It does not
// change the journal, and the counting is the engine's (MistakeTally).
#pragma once

#include "engine/mistake_tally.h"
#include "journal/journal_database.h"

#include <QList>
#include <QPointer>
#include <QThread>
#include <QWidget>

class QChartView;
class QLabel;
class QTableWidget;

namespace teacher {

class AttemptListModel;

class MistakesView : public QWidget {
    Q_OBJECT

public:
    MistakesView(journal::Connection connection, const AttemptListModel& list,
                 QWidget* parent = nullptr);
    // Waits for counts still under way: a worker must not outlive the program's database
    // drivers.
    ~MistakesView() override;

    // Shows a tally counted elsewhere (the pane counts its own when shown).
    void Show(const engine::MistakeTally& tally);
    // Starts counting the attempts the list's filter lets through; they are shown when done.
    void Update();
    // Whether a count is under way.
    bool Counting() const { return counting_; }

    QTableWidget* MistakeTable() const { return mistakes_; }
    QTableWidget* RowTable() const { return rows_; }
    QChartView* Chart() const { return chart_; }
    QString Text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    journal::Connection connection_;
    const AttemptListModel& list_;
    bool stale_ = true;
    bool counting_ = false;
    // The latest count started; a finished count with another number is out of date.
    quint64 job_ = 0;
    QList<QPointer<QThread>> workers_;
    QLabel* heading_ = nullptr;
    QTableWidget* mistakes_ = nullptr;
    QChartView* chart_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QLabel* text_ = nullptr;
};

} // namespace teacher
