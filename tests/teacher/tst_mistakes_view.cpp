// SPDX-License-Identifier: GPL-3.0-or-later
// The «Типичные ошибки» tab of the teacher's window over a real journal: the class's mistakes
// largest first with their pupils and rows, each exercise row's kind, share right and most
// common mistake, the chart and its text, all following the window's filter; and, when the list
// is narrowed to one pupil, that pupil's mistakes across attempts.
#include "teacher/attempt_list_model.h"
#include "teacher/export_tasks.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_window.h"
#include "teacher/listed_attempts.h"
#include "teacher/mistakes_view.h"
#include "teacher/practice_sheet_commands.h"
#include "teacher/printed_documents.h"
#include "teacher/window_exports.h"
#include "tests/teacher/export_wait.h"
#include "tests/teacher/journal_fixture.h"

#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

QList<QStringList> RowsOf(const QTableWidget* table)
{
    QList<QStringList> rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        rows << RowOf(table, r);
    }
    return rows;
}

// A day before today at 9:00 local time, as the journal keeps it (UTC), and as the window
// names the attempt.
QDateTime DaysAgoAt9(int days)
{
    return QDateTime(QDate::currentDate().addDays(-days), QTime(9, 0)).toUTC();
}
QString Named(const QDateTime& utc)
{
    return utc.toLocalTime().toString("dd.MM.yyyy HH:mm");
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QStringLiteral("(%1 failed: %2)")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A PDF's pages as pdftotext reads them, each with its runs of spaces made one.
QStringList PdfPages(const QString& path)
{
    QStringList pages;
    for (const QString& page : Run("pdftotext", {"-layout", path, "-"}).split(u'\f')) {
        if (!page.trimmed().isEmpty()) {
            pages << page.simplified();
        }
    }
    return pages;
}

int PdfPageCount(const QString& path)
{
    return QRegularExpression("Pages:\\s+(\\d+)").match(Run("pdfinfo", {path})).captured(1).toInt();
}

} // namespace

class MistakesViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;
    std::unique_ptr<teacher::JournalWindow> window;
    teacher::MistakesView* view = nullptr;

    // Ким Мария's attempts, oldest first: three days ago rows 9 and 10 wrong (no known
    // mistake) and 2/6 typed in row 1 after the record was judged, so that only judging it
    // again finds the unreduced answer; two days ago the divisor not turned in row 10;
    // yesterday an interrupted attempt, never judged; today (from init) rows 8 and 9 wrong and
    // the divisor not turned in row 10 again. Then the list narrowed to `name`, today or on
    // all days, and counted.
    void AddKimsHistoryAndShow(const QString& name, bool allDays)
    {
        journal::StoredAttempt first = MakeAttempt("Ким Мария", DaysAgoAt9(3), 8);
        first.Record.Rows.at(0).Typed = {"0", "2", "6"};
        j->Add(first);
        journal::StoredAttempt second = MakeAttempt("Ким Мария", DaysAgoAt9(2), 9);
        second.Record.Rows.at(9).Typed = {"", "1", "5000"};
        j->Add(second);
        j->Add(MakeAttempt("Ким Мария", DaysAgoAt9(1), std::nullopt));
        j->Add(MakeAttempt("Новиков Олег", TodayAt(9, 30), std::nullopt));

        window->findChild<teacher::FilterBar*>()->ChoosePreset(
            allDays ? teacher::DaysPreset::AllDays : teacher::DaysPreset::Today);
        window->findChild<QLineEdit*>("pupilFilter")->setText(name);
        QTRY_COMPARE(window->Model()->Filter().PupilContains, name);
        QCOMPARE(window->Model()->Filter().From.isValid(), !allDays);
        QTRY_VERIFY(!view->Counting());
    }

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
        QVERIFY(view->Text().contains("Типичные ошибки в 1 попытке:"));

        window->findChild<QLineEdit*>("pupilFilter")->setText("Орлов");
        QTRY_COMPARE(view->MistakeTable()->rowCount(), 0);
        QVERIFY(Bars(view->Chart()).isEmpty());
        QVERIFY(view->Text().contains("ошибок нет"));

        window->findChild<QLineEdit*>("pupilFilter")->clear();
        window->findChild<teacher::FilterBar*>()->ChoosePreset(teacher::DaysPreset::AllDays);
        QTRY_VERIFY(view->Text().startsWith("Типичные ошибки в 4 попытках:"));
        // Two pupils each now: the one found on more rows comes first.
        QCOMPARE(RowOf(view->MistakeTable(), 0),
                 (QStringList{"другая ошибка", "2", "3", "8, 9, 10"}));
        QCOMPARE(RowOf(view->MistakeTable(), 1),
                 (QStringList{"не перевёрнут делитель", "2", "2", "10"}));
    }

    void onePupilsMistakesAcrossAttempts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allDays");
        QTest::addColumn<QString>("heading"); // empty: no pupil's section
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("textLine");

        const QString today = Named(TodayAt(9, 5));
        const QString twoDaysAgo = Named(DaysAgoAt9(2));
        const QString threeDaysAgo = Named(DaysAgoAt9(3));
        QTest::newRow("one pupil, all days")
            << "Ким" << true << "Ошибки ученика по попыткам: Ким Мария, 3 попытки с оценкой:"
            << QList<QStringList>{{"другая ошибка", threeDaysAgo + ", " + today, "4",
                                   "повторяется"},
                                  {"не перевёрнут делитель", twoDaysAgo + ", " + today, "2",
                                   "повторяется"},
                                  {"ответ не сокращён", threeDaysAgo, "1", "больше не встречается"}}
            << QStringLiteral("не перевёрнут делитель — в 2 попытках из 3 (%1, %2), 2 раза: "
                              "повторяется")
                   .arg(twoDaysAgo, today);
        QTest::newRow("one pupil, today")
            << "Ким" << false << "Ошибки ученика по попыткам: Ким Мария, 1 попытка с оценкой:"
            << QList<QStringList>{{"другая ошибка", today, "2", "только в последней попытке"},
                                  {"не перевёрнут делитель", today, "1",
                                   "только в последней попытке"}}
            << QStringLiteral("другая ошибка — в 1 попытке из 1 (%1), 2 раза: только в "
                              "последней попытке")
                   .arg(today);
        QTest::newRow("one pupil without mistakes")
            << "Орлов" << false
            << "Ошибки ученика по попыткам: Орлов Илья, 1 попытка с оценкой; ошибок нет."
            << QList<QStringList>{} << "Орлов Илья, 1 попытка с оценкой; ошибок нет.";
        QTest::newRow("one pupil, never judged")
            << "Новиков" << false
            << "Ошибки ученика по попыткам: Новиков Олег; попыток с оценкой нет."
            << QList<QStringList>{} << "Новиков Олег; попыток с оценкой нет.";
        QTest::newRow("two pupils")
            << "ов" << false << QString() << QList<QStringList>{} << QString();
        QTest::newRow("the class") << "" << true << QString() << QList<QStringList>{} << QString();
    }
    // Ким Мария's history as AddKimsHistoryAndShow makes it.
    void onePupilsMistakesAcrossAttempts()
    {
        QFETCH(const QString, name);
        QFETCH(const bool, allDays);
        QFETCH(const QString, heading);
        QFETCH(const QList<QStringList>, rows);
        QFETCH(const QString, textLine);

        AddKimsHistoryAndShow(name, allDays);

        const auto* pupilHeading = view->findChild<QLabel*>("pupilMistakesHeading");
        const QTableWidget* table = view->PupilTable();
        const QString text = view->Text();
        if (heading.isEmpty()) {
            QVERIFY(!pupilHeading->isVisible());
            QVERIFY(!table->isVisible());
            QVERIFY2(!text.contains("Ошибки ученика по попыткам"), qPrintable(text));
            QVERIFY2(text.startsWith("Типичные ошибки в "), qPrintable(text));
            return;
        }
        QVERIFY(pupilHeading->isVisible());
        QCOMPARE(pupilHeading->text(), heading);
        QCOMPARE(table->isVisible(), !rows.isEmpty());
        QCOMPARE(RowsOf(table), rows);
        // The text equivalent opens with the same section, then the class part.
        QVERIFY2(text.startsWith(heading + "\n"), qPrintable(text));
        QVERIFY2(text.contains(textLine), qPrintable(text));
        QVERIFY2(text.contains("\n\nТипичные ошибки в "), qPrintable(text));
    }

    // When the list shows one pupil's attempts, the pane offers a practice sheet made from all
    // of them: the habit that persists (the divisor not turned) is taught first and takes more
    // of the exercises than the mistake no longer made (the unreduced answer, in the oldest
    // attempt). A pupil without a mistake to practise gets the commands disabled; a list of two
    // pupils gets none.
    void practiceSheetFromOnePupilsAttempts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allDays");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QStringList>("lessons"); // in order; none: nothing to practise
        QTest::addColumn<int>("onRow10");
        QTest::addColumn<int>("onRow1");

        QTest::newRow("one pupil, all days")
            << "Ким" << true << true << QStringList{"Не перевёрнут делитель", "Ответ не сокращён"}
            << 6 << 2;
        QTest::newRow("one pupil, today")
            << "Ким" << false << true << QStringList{"Не перевёрнут делитель"} << 8 << 0;
        QTest::newRow("one pupil without mistakes")
            << "Орлов" << false << true << QStringList{} << 0 << 0;
        QTest::newRow("two pupils") << "ов" << false << false << QStringList{} << 0 << 0;
    }
    void practiceSheetFromOnePupilsAttempts()
    {
        QFETCH(const QString, name);
        QFETCH(const bool, allDays);
        QFETCH(const bool, offered);
        QFETCH(const QStringList, lessons);
        QFETCH(const int, onRow10);
        QFETCH(const int, onRow1);
        AddKimsHistoryAndShow(name, allDays);

        teacher::PracticeSheetCommands* commands = view->PracticeSheet();
        QCOMPARE(commands->SaveButton()->isVisible(), offered);
        QCOMPARE(commands->PrintButton()->isVisible(), offered);
        if (!offered) {
            return;
        }
        QCOMPARE(commands->SaveButton()->isEnabled(), !lessons.isEmpty());
        QCOMPARE(commands->PrintButton()->isEnabled(), !lessons.isEmpty());
        QTemporaryDir out;
        const QString path = out.filePath("practice.pdf");
        QCOMPARE(commands->Save(path), !lessons.isEmpty());
        if (lessons.isEmpty()) {
            QVERIFY2(commands->Note().contains("нет ошибок"), qPrintable(commands->Note()));
            QVERIFY(!QFile::exists(path));
            return;
        }
        const QStringList pages = PdfPages(path);
        QCOMPARE(pages.size(), 2);
        QVERIFY2(pages.at(0).contains("Ученик: Ким Мария"), qPrintable(pages.at(0)));
        qsizetype from = 0;
        for (const QString& lesson : lessons) {
            const qsizetype at = pages.at(0).indexOf(lesson, from);
            QVERIFY2(at >= 0, qPrintable(lesson + " not after " + pages.at(0).mid(from)));
            from = at + lesson.size();
        }
        QCOMPARE(int(pages.at(1).count("задание 10 теста")), onRow10);
        QCOMPARE(int(pages.at(1).count("задание 1 теста")), onRow1);

        // «Напечатать лист…» goes to the window's print preview.
        bool previewed = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->objectName() == "printPreview" && !previewed) {
                previewed = dialog->findChild<QPrintPreviewWidget*>()->pageCount() == 2;
                dialog->reject();
            }
        });
        poll.start(10);
        QTest::mouseClick(commands->PrintButton(), Qt::LeftButton);
        QTRY_VERIFY(previewed);
    }

    // The typical mistakes saved as PDF pages: the pane's tables — the pupil's section when the
    // list is one pupil's, the class's mistakes, the rows — under the filter they were counted
    // for, and on every page the test's name and «Страница N из M». Ким Мария's long history
    // (the divisor not turned every day) runs onto more pages.
    void pagesCarryThePanesTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("earlierDays");
        QTest::addColumn<QStringList>("inOrder");
        QTest::addColumn<int>("leastPages");

        const QString today = QDate::currentDate().toString("dd.MM.yyyy");
        QTest::newRow("the class today")
            << "" << 0
            << QStringList{"Показано попыток: 3 (за " + today + ")",
                           "Ошибки в показанных попытках",
                           "другая ошибка 2 3 8, 9, 10",
                           "не перевёрнут делитель 1 1 10",
                           "Чаще всего",
                           "8 смешанное число × дробь 67 % другая ошибка"}
            << 1;
        QTest::newRow("one pupil's long history")
            << "Ким" << 40
            << QStringList{"(за все дни; в имени «Ким»)",
                           "Ошибки ученика по попыткам: Ким Мария, 41 попытка с оценкой:",
                           "повторяется",
                           "Ошибки в показанных попытках",
                           "не перевёрнут делитель 1 41 10",
                           "Чаще всего"}
            << 2;
    }
    void pagesCarryThePanesTables()
    {
        QFETCH(const QString, name);
        QFETCH(const int, earlierDays);
        QFETCH(const QStringList, inOrder);
        QFETCH(const int, leastPages);

        for (int day = 1; day <= earlierDays; ++day) {
            journal::StoredAttempt earlier = MakeAttempt("Ким Мария", DaysAgoAt9(day), 7);
            earlier.Record.Rows.at(9).Typed = {"", "1", "5000"};
            j->Add(earlier);
        }
        if (earlierDays > 0) {
            window->findChild<teacher::FilterBar*>()->ChoosePreset(teacher::DaysPreset::AllDays);
        }
        window->findChild<QLineEdit*>("pupilFilter")->setText(name);
        QTRY_COMPARE(window->Model()->Filter().PupilContains, name);

        QTemporaryDir out;
        const QString path = out.filePath("mistakes.pdf");
        const JobEnd end = WaitFor(window->Exports()->StartMistakesPdf(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        QVERIFY2(end.Message.contains(path), qPrintable(end.Message));

        const int pages = PdfPageCount(path);
        QVERIFY2(pages >= leastPages, qPrintable(QString::number(pages)));
        const QStringList texts = PdfPages(path);
        QCOMPARE(texts.size(), pages);
        for (int page = 1; page <= pages; ++page) {
            const QString& text = texts.at(page - 1);
            QVERIFY2(text.startsWith("Типичные ошибки"), qPrintable(text));
            QVERIFY(text.contains("Тест: умножение и деление обыкновенных дробей"));
            QVERIFY2(text.contains(QStringLiteral("Страница %1 из %2").arg(page).arg(pages)),
                     qPrintable(text));
        }
        const QString all = texts.join(' ');
        qsizetype from = 0;
        for (const QString& words : inOrder) {
            const qsizetype at = all.indexOf(words, from);
            QVERIFY2(at >= 0, qPrintable(words + " not after " + all.mid(from, 300)));
            from = at + words.size();
        }
        // A table that runs onto the next page has its column headings there too.
        for (int page = 2; page <= pages; ++page) {
            QVERIFY2(texts.at(page - 1).contains(
                         QRegularExpression("Ошибка (Попытки|Учеников)|№ Вид задания")),
                     qPrintable(texts.at(page - 1)));
        }
    }

    // «Печать типичных ошибок…» shows the pages first, as many as the PDF has, and closing the
    // preview prints nothing; the printing itself is a job that sends the same pages. A QPrinter
    // writing to a file stands in for the one the print dialog would choose.
    void printedAfterAPreview()
    {
        QTemporaryDir out;
        const QString pdf = out.filePath("mistakes.pdf");
        QVERIFY(WaitFor(window->Exports()->StartMistakesPdf(pdf)).Ok);

        int previewPages = -1;
        bool closed = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != "printPreview" || closed) {
                return;
            }
            previewPages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            closed = true;
            dialog->reject();
        });
        poll.start(10);
        QAction* print = nullptr;
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text() == "Печать типичных &ошибок…") {
                print = action;
            }
        }
        QVERIFY(print != nullptr && print->isEnabled());
        print->trigger();
        QTRY_VERIFY(closed);
        QCOMPARE(previewPages, PdfPageCount(pdf));
        QVERIFY(window->Exports()->Running() == nullptr);

        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        teacher::SetUpA4(*printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString printed = out.filePath("printed.pdf");
        printer->setOutputFileName(printed);
        teacher::ExportJob job(
            "print", *j->db,
            teacher::MistakesPrintWork(teacher::RequestOf(*window->Model()), printer));
        job.Start();
        const JobEnd end = WaitFor(&job);
        QVERIFY2(end.Ok, qPrintable(end.Message));
        QCOMPARE(PdfPages(printed).size(), previewPages);
        const QString text = PdfPages(printed).join(' ');
        QVERIFY2(text.contains("не перевёрнут делитель 1 1 10"), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Страница 1 из %1").arg(previewPages)));
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
        QVERIFY(view->Text().contains("Типичные ошибки в 1 попытке:"));
        QVERIFY(view->Text().startsWith("Ошибки ученика по попыткам: Орлов Илья,"));
    }
};

QTEST_MAIN(MistakesViewTest)
#include "tst_mistakes_view.moc"
