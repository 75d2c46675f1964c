// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_list_view.h"

#include "teacher/attempt_list_model.h"
#include "teacher/teacher_words.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <array>

namespace teacher {

AttemptListView::AttemptListView(QWidget* parent) : QTableView(parent)
{
    setAccessibleName(words::ListName());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(AttemptListModel::Started, Qt::DescendingOrder);
}

void AttemptListView::ShowAttempts(AttemptListModel* attempts)
{
    setModel(attempts);
    // Wide enough for the heading and for what the column usually holds; the check, last,
    // takes what is left and shows the rest of a long verdict in its tooltip.
    const QFontMetrics metrics(font());
    const std::array<QString, AttemptListModel::ColumnCount> samples = {
        QStringLiteral("Харитонова Христина"),
        QStringLiteral("класс-01"),
        QStringLiteral("10.12.2026 10:55"),
        QStringLiteral("10:00"),
        QStringLiteral("время вышло"),
        QStringLiteral("10"),
        QStringLiteral("5"),
        QStringLiteral("сходится")};
    for (int c = 0; c < AttemptListModel::ColumnCount; ++c) {
        const QString heading = attempts->headerData(c, Qt::Horizontal).toString();
        setColumnWidth(
            c, std::max(metrics.horizontalAdvance(heading) + 28,
                        metrics.horizontalAdvance(samples.at(static_cast<std::size_t>(c))) + 12));
    }
    // A server's list has the time it received each attempt, as wide as the start.
    if (attempts->columnCount() > AttemptListModel::Received) {
        setColumnWidth(AttemptListModel::Received, columnWidth(AttemptListModel::Started));
    }
    horizontalHeader()->setStretchLastSection(true);
    // Who, when and the mark first, so that a narrow list still shows them; the computer and
    // the check, read less often, come last. The teacher may drag them elsewhere.
    const std::array<int, AttemptListModel::ColumnCount> shownOrder = {
        AttemptListModel::Pupil,      AttemptListModel::Started, AttemptListModel::Mark,
        AttemptListModel::RightCount, AttemptListModel::Ending,  AttemptListModel::Duration,
        AttemptListModel::Host,       AttemptListModel::Check};
    QHeaderView* header = horizontalHeader();
    for (int place = 0; place < AttemptListModel::ColumnCount; ++place) {
        header->moveSection(header->visualIndex(shownOrder.at(static_cast<std::size_t>(place))),
                            place);
    }
}

int AttemptListView::WidthUpToMark() const
{
    const QHeaderView* header = horizontalHeader();
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    for (int place = 0; place <= header->visualIndex(AttemptListModel::Mark); ++place) {
        width += header->sectionSize(header->logicalIndex(place));
    }
    return width;
}

AttemptListModel* AttemptListView::Attempts() const
{
    return qobject_cast<AttemptListModel*>(model());
}

QString AttemptListView::CurrentId() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() && Attempts() ? Attempts()->AttemptId(current.row()) : QString();
}

void AttemptListView::ChooseAfterReload(const QString& keepId)
{
    AttemptListModel* attempts = Attempts();
    if (!attempts) {
        return;
    }
    int row = 0;
    if (!keepId.isEmpty()) {
        for (int r = 0; r < attempts->rowCount(); ++r) {
            if (attempts->AttemptId(r) == keepId) {
                row = r;
                break;
            }
        }
    }
    if (row == 0) {
        scrollToTop();
    }
    ChooseRow(row);
}

void AttemptListView::ChooseRow(int row)
{
    AttemptListModel* attempts = Attempts();
    if (!attempts || row < 0 || row >= attempts->rowCount()) {
        return;
    }
    // The column the teacher was in stays; the first one when none was.
    const int column = std::max(0, currentIndex().column());
    const QModelIndex index = attempts->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void AttemptListView::keyPressEvent(QKeyEvent* event)
{
    AttemptListModel* attempts = Attempts();
    if (attempts && event->modifiers() == Qt::ControlModifier) {
        if (event->key() == Qt::Key_Home) {
            ChooseRow(0);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_End) {
            // The last attempt, not the last one fetched so far.
            attempts->FetchAll();
            ChooseRow(attempts->rowCount() - 1);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void AttemptListView::focusInEvent(QFocusEvent* event)
{
    // Coming in with no row chosen, the table moves its cursor by itself (to a row the teacher
    // did not choose, and without selecting it): the first row is chosen instead, or the current
    // one when it is only unselected.
    const bool hadCurrent = currentIndex().isValid();
    QTableView::focusInEvent(event);
    if (!selectionModel() || selectionModel()->hasSelection()) {
        return;
    }
    ChooseRow(hadCurrent ? currentIndex().row() : 0);
}

} // namespace teacher
