// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» tab of the teacher's window over a real journal: the class's mistakes
// largest first with their pupils and rows, each exercise row's kind, share right and most
// common mistake, the chart and its text, all following the window's filter.
#include "teacher/attempt_list_model.h"
#include "teacher/journal_window.h"
#include "teacher/mistakes_view.h"
#include "tests/teacher/journal_fixture.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHorizontalBarSeries>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList RowOf(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
        const QTableWidgetItem* item = table->item(row, c);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

QList<qreal> Bars(const QChartView* view)
{
    const auto series = view->chart()->series();
    if (series.size() != 1) {
        return {};
    }
    const auto* bars = qobject_cast<QHorizontalBarSeries*>(series.front());
    if (!bars || bars->count() != 1) {
        return {};
    }
    QList<qreal> values;
    for (int i = 0; i < bars->barSets().front()->count(); ++i) {
        values << bars->barSets().front()->at(i);
    }
    return values;
}

} // namespace

class MistakesViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;
    std::unique_ptr<teacher::JournalWindow> window;
    teacher::MistakesView* view = nullptr;

private slots:
    // The attempts hold the smallest draws: row 1 is 1/2 × 2/3, row 8 is 2 1/2 × 2/5 (= 1),
    // row 9 is 1 2/5 × 1 1/3 (= 1 13/15), row 10 is 1/100 : 1/50 (= 1/2). A wrong row holds
    // the key with its whole part one more, which no known mistake gives there; 1/5000 in row
    // 10 is 1/100 · 1/50, the divisor not turned over.
    void init()
    {
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
        journal::StoredAttempt kim = MakeAttempt("Ким Мария", TodayAt(9, 5), 7);
        kim.Record.Rows.at(9).Typed = {"", "1", "5000"}; // the divisor not turned
        j->Add(kim);
        j->Add(MakeAttempt("Орлов Илья", TodayAt(9, 10), 10));
        j->Add(MakeAttempt("Петров Пётр", TodayAt(9, 20), 9));
        journal::StoredAttempt yesterday =
            MakeAttempt("Вчерашний Ученик", TodayAt(9).addDays(-1), 9);
        yesterday.Record.Rows.at(9).Typed = {"0", "1", "5000"};
        j->Add(yesterday);
        window = std::make_unique<teacher::JournalWindow>(journal::OpenResult{j->db, {}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        view = window->findChild<teacher::MistakesView*>("mistakes");
        QVERIFY(view);
        auto* tabs = window->findChild<QTabWidget*>("tabs");
        tabs->setCurrentWidget(view);
        QVERIFY(view->isVisible());
        QTRY_VERIFY(!view->Counting());
    }
    void cleanup()
    {
        window.reset();
        j.reset();
    }

    void countsTheShownAttemptsLargestFirst()
    {
        const QTableWidget* mistakes = view->MistakeTable();
        QCOMPARE(mistakes->rowCount(), 2);
        QCOMPARE(RowOf(mistakes, 0), (QStringList{"другая ошибка", "2", "3", "8, 9, 10"}));
        QCOMPARE(RowOf(mistakes, 1), (QStringList{"не перевёрнут делитель", "1", "1", "10"}));
        QCOMPARE(Bars(view->Chart()), (QList<qreal>{1, 2}));

        const QTableWidget* rows = view->RowTable();
        QCOMPARE(rows->rowCount(), engine::kAttemptRows);
        QCOMPARE(RowOf(rows, 0), (QStringList{"1", "дробь × дробь", "100 %", ""}));
        QCOMPARE(RowOf(rows, 7),
                 (QStringList{"8", "смешанное число × дробь", "67 %", "другая ошибка"}));
        QCOMPARE(RowOf(rows, 9).mid(0, 3), (QStringList{"10", "дробь : дробь", "33 %"}));

        const QString text = view->Text();
        QVERIFY2(text.startsWith("Типичные ошибки в 3 попытках:"), qPrintable(text));
        QVERIFY2(text.contains("другая ошибка — 2 ученика, 3 раза; задания 8, 9, 10"),
                 qPrintable(text));
        QVERIFY2(text.contains("не перевёрнут делитель — 1 ученик, 1 раз; задание 10"),
                 qPrintable(text));
        QVERIFY2(text.contains("Задание 8 (смешанное число × дробь): верно 67 % из 3; чаще всего — "
                               "другая ошибка (1 раз)"),
                 qPrintable(text));
        QCOMPARE(view->Chart()->accessibleDescription(), text);
    }

    void followsTheFilter()
    {
        window->findChild<QLineEdit*>("pupilFilter")->setText("Петров");
        QTRY_COMPARE(view->MistakeTable()->rowCount(), 1);
        QCOMPARE(RowOf(view->MistakeTable(), 0), (QStringList{"другая ошибка", "1", "1", "10"}));
        QVERIFY(view->Text().startsWith("Типичные ошибки в 1 попытке:"));

        window->findChild<QLineEdit*>("pupilFilter")->setText("Орлов");
        QTRY_COMPARE(view->MistakeTable()->rowCount(), 0);
        QVERIFY(Bars(view->Chart()).isEmpty());
        QVERIFY(view->Text().contains("ошибок нет"));

        window->findChild<QLineEdit*>("pupilFilter")->clear();
        window->findChild<QCheckBox*>("allDays")->setChecked(true);
        QTRY_VERIFY(view->Text().startsWith("Типичные ошибки в 4 попытках:"));
        // Two pupils each now: the one found on more rows comes first.
        QCOMPARE(RowOf(view->MistakeTable(), 0),
                 (QStringList{"другая ошибка", "2", "3", "8, 9, 10"}));
        QCOMPARE(RowOf(view->MistakeTable(), 1),
                 (QStringList{"не перевёрнут делитель", "2", "2", "10"}));
    }

    // A count overtaken by a newer filter never lands on top of it, whichever ends first.
    void theLatestFilterWins()
    {
        for (int i = 0; i < 5; ++i) {
            window->Model()->SetFilter({{}, {}, "Петров"});
            window->Model()->SetFilter({QDate::currentDate(), QDate::currentDate(), "Орлов"});
        }
        QTRY_VERIFY(!view->Counting());
        QCOMPARE(view->MistakeTable()->rowCount(), 0);
        QVERIFY(view->Text().startsWith("Типичные ошибки в 1 попытке:"));
    }
};

QTEST_MAIN(MistakesViewTest)
#include "tst_mistakes_view.moc"
