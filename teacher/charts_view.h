// SPDX-License-Identifier: GPL-3.0-or-later
// The three charts of what the filter shows, each with its text equivalent beside it (shown,
// and given to screen readers as the chart's description): how many 5s, 4s, 3s and 2s; the
// share of attempts that got each exercise row right; one pupil's marks over time. Above them the
// teacher chooses which attempts the first two count: every attempt, or each pupil's last or best
// (ChartAttempts); the pane says when the choice changes, and whoever counts follows it.
//
// It draws figures it is given; counting them is chart_data.h's job.
#pragma once

#include "teacher/chart_data.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QChart;
class QChartView;

namespace teacher {

class ChartsView : public QWidget {
    Q_OBJECT

public:
    explicit ChartsView(QWidget* parent = nullptr);

    void ShowMarks(const MarkCounts& counts);
    void ShowRows(const RowShares& shares);
    // An empty pupil: none chosen yet.
    void ShowPupil(const QString& pupil, const std::vector<MarkPoint>& points);

    // Which attempts the marks and rows charts count.
    ChartAttempts Counted() const;
    void SetCounted(ChartAttempts which);

    QChart* MarksChart() const;
    QChart* RowsChart() const;
    QChart* PupilChart() const;
    // The text equivalents, as shown and as read out.
    QString MarksText() const;
    QString RowsText() const;
    QString PupilText() const;

signals:
    // The teacher chose other attempts to count (not sent by SetCounted).
    void CountedChanged();

private:
    QComboBox* counted_ = nullptr;
    QChartView* marks_ = nullptr;
    QChartView* rows_ = nullptr;
    QChartView* pupil_ = nullptr;
    QLabel* marksText_ = nullptr;
    QLabel* rowsText_ = nullptr;
    QLabel* pupilText_ = nullptr;
};

} // namespace teacher
