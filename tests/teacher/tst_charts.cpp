// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' figures counted from a real journal, and the series and text equivalents the
// charts show for them, checked against the attempts the test put in; and the figures counted
// over every attempt or each pupil's last or best, for pupils who retook the test.
#include "teacher/chart_data.h"
#include "teacher/charts_view.h"
#include "tests/teacher/journal_fixture.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTest>
#include <QTextDocument>

namespace {

QList<qreal> BarValues(QChart* chart)
{
    const auto series = chart->series();
    if (series.size() != 1) {
        return {};
    }
    const auto* bars = qobject_cast<QBarSeries*>(series.front());
    if (!bars || bars->barSets().size() != 1) {
        return {};
    }
    QList<qreal> values;
    const QBarSet* set = bars->barSets().front();
    for (int i = 0; i < set->count(); ++i) {
        values << set->at(i);
    }
    return values;
}

teacher::MarkCounts Marks(const journal::Connection& c, const journal::AttemptFilter& f)
{
    return teacher::ReadFigures(c, f, teacher::ChartAttempts::Every).Marks;
}

teacher::RowShares Rows(const journal::Connection& c, const journal::AttemptFilter& f)
{
    return teacher::ReadFigures(c, f, teacher::ChartAttempts::Every).Rows;
}

journal::AttemptFilter Today()
{
    return {QDate::currentDate(), QDate::currentDate(), {}};
}

} // namespace

class ChartsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;

private slots:
    void init()
    {
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
        // Today: marks 5, 5, 4, 2, 2, 2 and one never judged; rows 0..right-1 right.
        int minute = 0;
        for (const auto& [pupil, right] :
             std::vector<std::pair<QString, std::optional<int>>>{{"Аня", 10},
                                                                 {"Боря", 10},
                                                                 {"Вера", 9},
                                                                 {"Гоша", 7},
                                                                 {"Аня", 0},
                                                                 {"Дима", 3},
                                                                 {"Егор", std::nullopt}}) {
            j->Add(MakeAttempt(pupil, TodayAt(9, minute++), right));
        }
        // Other days, for the one-pupil chart and to be left out by "today".
        j->Add(MakeAttempt("Аня", TodayAt(9).addDays(-2), 8));
        j->Add(MakeAttempt("Аня", TodayAt(9).addDays(-30), 9));
    }
    void cleanup() { j.reset(); }

    void countsMarks()
    {
        QCOMPARE(Marks(*j->db, Today()), (teacher::MarkCounts{2, 1, 0, 3}));
        QCOMPARE(Marks(*j->db, {}), (teacher::MarkCounts{2, 2, 1, 3}));
        QCOMPARE(Marks(*j->db, {{}, {}, "аня"}), (teacher::MarkCounts{1, 1, 1, 1}));
    }

    void sharesRightPerRow()
    {
        // Six judged attempts today with 10, 10, 9, 7, 0, 3 right: row r is right in those
        // with more than r right answers.
        const teacher::RowShares shares = Rows(*j->db, Today());
        const std::array<long long, 10> right = {5, 5, 5, 4, 4, 4, 4, 3, 3, 2};
        for (std::size_t r = 0; r < shares.size(); ++r) {
            QCOMPARE(shares.at(r), (teacher::RowShare{right.at(r), 6}));
        }
        const teacher::RowShares nobody = Rows(*j->db, {{}, {}, "никто"});
        for (const teacher::RowShare& share : nobody) {
            QCOMPARE(share, teacher::RowShare{});
            QCOMPARE(share.Percent(), 0.0);
        }
    }

    // Аня took the test three times (0, 10 and then 9 right: marks 2, 5, 4) and once more typed
    // «аня » (10 right, earlier); Боря twice under two names, both linked to one roster pupil
    // (5, then 2); Гоша got a 4, then broke off; Вера only broke off.
    void countsEveryAttemptOrOnePerPupil_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QList<long long>>("marks"); // 5s, 4s, 3s, 2s
        QTest::addColumn<QList<long long>>("rows");  // row 1 right, judged; row 10 right, judged
        QTest::newRow("every attempt")
            << int(teacher::ChartAttempts::Every) << QList<long long>{3, 2, 0, 2}
            << QList<long long>{5, 7, 3, 7};
        QTest::newRow("each pupil's last")
            << int(teacher::ChartAttempts::LastOfPupil) << QList<long long>{0, 2, 0, 1}
            << QList<long long>{2, 3, 0, 3};
        QTest::newRow("each pupil's best")
            << int(teacher::ChartAttempts::BestOfPupil) << QList<long long>{2, 1, 0, 0}
            << QList<long long>{3, 3, 2, 3};
    }
    void countsEveryAttemptOrOnePerPupil()
    {
        QFETCH(int, which);
        QFETCH(QList<long long>, marks);
        QFETCH(QList<long long>, rows);
        auto boris = MakeAttempt("Боря", TodayAt(9), 10);
        boris.RosterPupilId = "pupil-1";
        auto borisAgain = MakeAttempt("Борисов Борис", TodayAt(12), 0);
        borisAgain.RosterPupilId = "pupil-1";
        const std::vector<journal::StoredAttempt> attempts = {
            MakeAttempt("Аня", TodayAt(9), 0),
            boris,
            MakeAttempt("Гоша", TodayAt(9), 9),
            MakeAttempt("Аня", TodayAt(10), 10),
            MakeAttempt("Гоша", TodayAt(10), std::nullopt),
            MakeAttempt("Аня", TodayAt(11), 9),
            MakeAttempt("аня ", TodayAt(8), 10),
            borisAgain,
            MakeAttempt("Вера", TodayAt(9), std::nullopt),
        };
        const teacher::ChartFigures figures =
            teacher::CountFigures(attempts, teacher::ChartAttempts(which));
        QCOMPARE(QList<long long>(figures.Marks.begin(), figures.Marks.end()), marks);
        QCOMPARE((QList<long long>{figures.Rows.at(0).Right, figures.Rows.at(0).Judged,
                                   figures.Rows.at(9).Right, figures.Rows.at(9).Judged}),
                 rows);
    }

    // The marks counted are the ones the answers earn: an attempt stored with a 5 its answers do
    // not earn counts with the mark they do.
    void countsTheEarnedMark()
    {
        journal::StoredAttempt raised = MakeAttempt("Дима", TodayAt(9), 3);
        raised.Record.Mark = 5;
        const teacher::ChartFigures figures =
            teacher::CountFigures({raised}, teacher::ChartAttempts::Every);
        QCOMPARE(figures.Marks, (teacher::MarkCounts{0, 0, 0, 1}));
    }

    void followsOnePupilOverTime()
    {
        const auto all = teacher::MarksOverTime(*j->db, {}, "Аня");
        QCOMPARE(all.size(), std::size_t(4));
        QCOMPARE(all.at(0).Mark, 4);
        QCOMPARE(all.at(0).StartedAt, TodayAt(9).addDays(-30));
        QCOMPARE(all.at(1).Mark, 3);
        QCOMPARE(all.at(2).Mark, 5);
        QCOMPARE(all.at(3).Mark, 2);
        QVERIFY(all.at(2).StartedAt < all.at(3).StartedAt);
        // The dates of the filter count; its name part, ending and computer do not (the pupil
        // is named exactly, and followed on every computer).
        const journal::AttemptFilter narrowed{QDate::currentDate().addDays(-7),
                                              {},
                                              "Боря",
                                              engine::AttemptEnd::Interrupted,
                                              "класс-9"};
        QCOMPARE(teacher::MarksOverTime(*j->db, narrowed, "Аня").size(), std::size_t(3));
        QVERIFY(teacher::MarksOverTime(*j->db, {}, "аня").empty());
        QVERIFY(teacher::MarksOverTime(*j->db, {}, "Егор").empty());
    }

    void chartsShowTheFiguresAndSayThem()
    {
        teacher::ChartsView view;
        view.resize(900, 800);
        view.show();
        view.ShowMarks(Marks(*j->db, Today()));
        view.ShowRows(Rows(*j->db, Today()));
        view.ShowPupil("Аня", teacher::MarksOverTime(*j->db, {}, "Аня"));
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QCOMPARE(BarValues(view.MarksChart()), (QList<qreal>{2, 1, 0, 3}));
        QCOMPARE(view.MarksText(), "Отметки: «5» — 2, «4» — 1, «3» — 0, «2» — 3.");

        const QList<qreal> rows = BarValues(view.RowsChart());
        QCOMPARE(rows.size(), 10);
        QCOMPARE(rows.at(0), 500.0 / 6);
        QCOMPARE(rows.at(9), 200.0 / 6);
        QVERIFY2(view.RowsText().startsWith("Верно решили: задание 1 — 83 % (5 из 6); "),
                 qPrintable(view.RowsText()));
        QVERIFY(view.RowsText().contains("задание 10 — 33 % (2 из 6)."));

        const auto series = view.PupilChart()->series();
        QVERIFY(!series.isEmpty());
        const auto* line = qobject_cast<QLineSeries*>(series.front());
        QVERIFY(line);
        QCOMPARE(line->count(), 4);
        QList<qreal> marks;
        for (const QPointF& p : line->points()) {
            marks << p.y();
        }
        QCOMPARE(marks, (QList<qreal>{4, 3, 5, 2}));
        QCOMPARE(qint64(line->at(0).x()), TodayAt(9).addDays(-30).toMSecsSinceEpoch());
        QVERIFY(view.PupilText().startsWith("Ученик: Аня. Отметки по времени: "));
        QCOMPARE(view.PupilText().count(QStringLiteral(" — ")), 4);

        // Every chart names itself and carries its text for screen readers.
        for (auto* chartView : view.findChildren<QChartView*>()) {
            QVERIFY(!chartView->accessibleName().isEmpty());
            QVERIFY(!chartView->accessibleDescription().isEmpty());
        }

        view.ShowPupil({}, {});
        QVERIFY(view.PupilChart()->series().isEmpty());
        QVERIFY(view.PupilText().startsWith("Выберите попытку"));
    }

    // A chart draws its title and series names as HTML: a name is shown as the text it is, so
    // that a picture tag reads no file (/dev/zero would take every byte of memory).
    void namesAreShownAsTheTextTheyAre()
    {
        const QString name = R"(Фёдоров <img src="/dev/zero"> &amp; <b>Ж</b>)";
        teacher::ChartsView view;
        view.resize(900, 800);
        view.show();
        view.ShowPupil(name, teacher::MarksOverTime(*j->db, {}, "Аня"));
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTextDocument title;
        title.setHtml(view.PupilChart()->title());
        QCOMPARE(title.toPlainText(), "Отметки ученика по времени: " + name);
        for (QAbstractSeries* series : view.PupilChart()->series()) {
            QTextDocument shown;
            shown.setHtml(series->name());
            QCOMPARE(shown.toPlainText(), name);
        }
        QVERIFY(view.PupilText().startsWith("Ученик: " + name + ". Отметки по времени: "));
        QVERIFY(!view.grab().isNull());
    }
};

QTEST_MAIN(ChartsTest)
#include "tst_charts.moc"
