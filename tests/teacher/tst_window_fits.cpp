// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window on a small screen, opened with nothing remembered: it fits the screen,
// every control of the filter bar is whole, the list's «Отметка» column is in sight without
// scrolling across, and the chosen attempt's verdicts are not cut off. CTest runs it on a
// 1024×600 screen, and on a 1920×1080 screen at 200 % (QT_SCALE_FACTOR=2).
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_window.h"
#include "tests/teacher/journal_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTest>

namespace {

// True when the whole of `widget` is shown: no part of it cut by its parents.
bool Whole(const QWidget* widget)
{
    return widget->visibleRegion().boundingRect() == widget->rect();
}

} // namespace

class WindowFitsTest : public QObject {
    Q_OBJECT

private slots:
    void opensUsableOnASmallScreen()
    {
        QTemporaryDir settings;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        JournalFile j;
        QVERIFY2(j.db, qPrintable(j.problem));
        j.Add(MakeAttempt("Харитонова Христина", TodayAt(9), 9));
        j.Add(MakeAttempt("Иванов Пётр", TodayAt(10), 6));

        teacher::JournalWindow w(journal::OpenResult{j.db, {}});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = w.screen()->availableGeometry();
        qInfo("screen %dx%d, window %dx%d", screen.width(), screen.height(), w.width(), w.height());
        QVERIFY2(screen.contains(w.frameGeometry()), "the window is larger than the screen");

        for (QWidget* control : w.Filters()->findChildren<QWidget*>()) {
            if (control->isVisible() && control->parentWidget() == w.Filters()) {
                QVERIFY2(Whole(control), qPrintable(control->objectName()));
            }
        }

        auto* list = w.findChild<QTableView*>("list");
        const int mark = teacher::AttemptListModel::Mark;
        QHeaderView* header = list->horizontalHeader();
        QVERIFY(!header->isSectionHidden(mark));
        QVERIFY2(header->sectionViewportPosition(mark) + header->sectionSize(mark) <=
                     header->viewport()->width(),
                 "«Отметка» is past the list's right edge");
        QCOMPARE(list->horizontalScrollBar()->value(), 0);

        QVERIFY(w.Detail()->Shown());
        // The attempt sits in a scroll area's viewport.
        auto* pane = qobject_cast<QScrollArea*>(w.Detail()->parentWidget()->parentWidget());
        QVERIFY(pane);
        for (int row = 0; row < 10; ++row) {
            QLabel* verdict = w.Detail()->Verdict(row);
            const QPoint right = verdict->mapTo(pane->viewport(), QPoint(verdict->width(), 0));
            QVERIFY2(right.x() <= pane->viewport()->width(),
                     qPrintable(QStringLiteral("row %1's verdict is cut off").arg(row + 1)));
            QVERIFY(verdict->width() >= verdict->sizeHint().width());
        }
    }
};

QTEST_MAIN(WindowFitsTest)
#include "tst_window_fits.moc"
