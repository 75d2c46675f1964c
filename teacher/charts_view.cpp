// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/charts_view.h"

#include "teacher/attempt_texts.h"
#include "teacher/teacher_words.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QFormLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <utility>

namespace teacher {

namespace {

QChartView* NewChartView(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(260, 240);
    view->setAccessibleName(title);
    view->setFocusPolicy(Qt::TabFocus);
    return view;
}

QLabel* NewTextEquivalent()
{
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

void SetText(QChartView* view, QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(view->accessibleName());
    label->setAccessibleDescription(text);
    view->setAccessibleDescription(text);
}

// Replaces the chart's series and axes with one bar set over `categories`.
void ShowBars(QChart* chart, const QString& setName, const QStringList& categories,
              const QList<qreal>& values, qreal top, bool labelled)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* set = new QBarSet(setName);
    set->append(values);
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(labelled);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, top);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

} // namespace

ChartsView::ChartsView(QWidget* parent) : QWidget(parent)
{
    marks_ = NewChartView(words::MarksChartTitle());
    rows_ = NewChartView(words::RowsChartTitle());
    pupil_ = NewChartView(words::PupilChartTitle());
    marksText_ = NewTextEquivalent();
    rowsText_ = NewTextEquivalent();
    pupilText_ = NewTextEquivalent();

    counted_ = new QComboBox;
    counted_->setObjectName(QStringLiteral("chartAttempts"));
    counted_->setAccessibleName(words::ChartAttemptsName());
    for (const ChartAttempts which :
         {ChartAttempts::Every, ChartAttempts::LastOfPupil, ChartAttempts::BestOfPupil}) {
        counted_->addItem(words::ChartAttemptsWords(which), int(which));
    }
    connect(counted_, &QComboBox::currentIndexChanged, this, [this] { emit CountedChanged(); });
    auto* choice = new QFormLayout;
    choice->addRow(words::ChartAttemptsLabel(), counted_);

    // One above the other, each with its text under it: the pane scrolls down, never across.
    auto* column = new QVBoxLayout(this);
    column->addLayout(choice);
    for (auto [view, text] : {std::pair{marks_, marksText_}, std::pair{rows_, rowsText_},
                              std::pair{pupil_, pupilText_}}) {
        column->addWidget(view, 1);
        column->addWidget(text);
        column->addSpacing(8);
    }

    ShowMarks({});
    ShowRows({});
    ShowPupil({}, {});
}

ChartAttempts ChartsView::Counted() const
{
    return ChartAttempts(counted_->currentData().toInt());
}

void ChartsView::SetCounted(ChartAttempts which)
{
    const int index = counted_->findData(int(which));
    if (index >= 0) {
        const QSignalBlocker quiet(counted_);
        counted_->setCurrentIndex(index);
    }
}

QChart* ChartsView::MarksChart() const
{
    return marks_->chart();
}
QChart* ChartsView::RowsChart() const
{
    return rows_->chart();
}
QChart* ChartsView::PupilChart() const
{
    return pupil_->chart();
}
QString ChartsView::MarksText() const
{
    return marksText_->text();
}
QString ChartsView::RowsText() const
{
    return rowsText_->text();
}
QString ChartsView::PupilText() const
{
    return pupilText_->text();
}

void ChartsView::ShowMarks(const MarkCounts& counts)
{
    QList<qreal> values;
    QStringList categories;
    QStringList parts;
    long long most = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        values << qreal(counts.at(i));
        categories << QString::number(kMarksListed.at(i));
        parts << words::MarkPart(kMarksListed.at(i), counts.at(i));
        most = std::max(most, counts.at(i));
    }
    ShowBars(marks_->chart(), words::MarksSeries(), categories, values,
             std::max<qreal>(4, qreal(most)), true);
    SetText(marks_, marksText_, words::MarksText(parts));
}

void ChartsView::ShowRows(const RowShares& shares)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QList<qreal> values;
    QStringList categories;
    QStringList parts;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const RowShare& share = shares.at(i);
        values << share.Percent();
        categories << QString::number(i + 1);
        const int row = static_cast<int>(i) + 1;
        parts << (share.Judged == 0
                      ? words::RowNotJudged(row)
                      : words::RowShare(row, russian.toString(share.Percent(), 'f', 0), share.Right,
                                        share.Judged));
    }
    // Ten bars are too narrow for their numbers: those are in the text beside.
    ShowBars(rows_->chart(), words::RowsSeries(), categories, values, 100, false);
    SetText(rows_, rowsText_, words::RowsText(parts));
}

void ChartsView::ShowPupil(const QString& pupil, const std::vector<MarkPoint>& points)
{
    QChart* chart = pupil_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    // A chart's title and its series' names are drawn as HTML: a stored name is escaped, so that
    // it is shown as the text it is and never loads a picture or a file.
    const QString name = ShownName(pupil);
    chart->setTitle(name.isEmpty() ? words::PupilChartTitle()
                                   : QStringLiteral("%1: %2").arg(words::PupilChartTitle(),
                                                                  name.toHtmlEscaped()));
    if (pupil.isEmpty()) {
        SetText(pupil_, pupilText_, words::ChoosePupilForChart());
        return;
    }
    auto* line = new QLineSeries;
    line->setName(name.toHtmlEscaped());
    auto* dots = new QScatterSeries;
    dots->setName(name.toHtmlEscaped());
    dots->setMarkerSize(9);
    QStringList parts;
    for (const MarkPoint& point : points) {
        const auto x = qreal(point.StartedAt.toMSecsSinceEpoch());
        line->append(x, point.Mark);
        dots->append(x, point.Mark);
        parts << QStringLiteral("%1 — %2").arg(DateTimeText(point.StartedAt)).arg(point.Mark);
    }
    chart->addSeries(line);
    chart->addSeries(dots);
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd.MM.yyyy"));
    if (!points.empty()) {
        // One point alone still needs a span to be drawn in.
        const QDateTime first = points.front().StartedAt.toLocalTime();
        const QDateTime last = points.back().StartedAt.toLocalTime();
        x->setRange(first.addSecs(-3600), last.addSecs(3600));
        if (first.daysTo(last) < 2) {
            x->setFormat(QStringLiteral("dd.MM HH:mm"));
        }
    }
    chart->addAxis(x, Qt::AlignBottom);
    auto* y = new QValueAxis;
    y->setRange(1.5, 5.5);
    y->setTickCount(5);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(2);
    y->setTickInterval(1);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(line), static_cast<QAbstractSeries*>(dots)}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    SetText(pupil_, pupilText_,
            points.empty() ? words::PupilHasNoMarks(name) : words::PupilMarksText(name, parts));
}

} // namespace teacher
