// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/attempt_list_view.h"

#include "teacher/attempt_list_model.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace teacher {

AttemptListView::AttemptListView(QWidget* parent) : QTableView(parent) {}

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
