// SPDX-License-Identifier: GPL-3.0-or-later
// What leaves the window as files: the list as CSV (the journal's own format, for the rows the
// filter shows), the list and one attempt as A4 PDF read back with poppler's pdftotext, the
// verdict colours found in the rendered page, a file that cannot be written, and the practice
// sheet saved and printed.
#include "journal/csv_export.h"
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/export_tasks.h"
#include "teacher/journal_window.h"
#include "teacher/practice_sheet_commands.h"
#include "teacher/printed_documents.h"
#include "teacher/window_exports.h"
#include "tests/teacher/export_wait.h"
#include "tests/teacher/journal_fixture.h"
#include "tests/teacher/typing.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QStringLiteral("(%1 failed: %2)")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& path)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// Every record of a CSV file as parsed by Python's csv module (a parser the program does not
// share), the byte-order mark allowed.
QJsonArray CsvRecords(const QString& path)
{
    const QString script =
        QStringLiteral("import csv, json, sys\n"
                       "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                       "    print(json.dumps(list(csv.reader(f))))\n");
    return QJsonDocument::fromJson(
               Run(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path})
                   .toUtf8())
        .array();
}

int CountWord(const QString& text, const QString& word)
{
    return int(text.count(QRegularExpression(QStringLiteral("(?<!\\w)%1(?!\\w)").arg(word),
                                             QRegularExpression::UseUnicodePropertiesOption)));
}

// Pixels close to `colour` in an image rendered from the PDF (edges of letters blend).
int PixelsNear(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 20 &&
                std::abs(c.green() - colour.green()) < 20 &&
                std::abs(c.blue() - colour.blue()) < 20) {
                ++n;
            }
        }
    }
    return n;
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;
    std::unique_ptr<teacher::JournalWindow> window;
    QTemporaryDir out;

private slots:
    void init()
    {
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
        journal::StoredAttempt kim = MakeAttempt("Ким Мария", TodayAt(9, 5), 7, 431);
        // Row 10 is 1/100 : 1/50 = 1/2: 1/5000 forgets to turn the divisor.
        kim.Record.Rows.at(9).Typed = {"", "1", "5000"};
        j->Add(kim);
        j->Add(MakeAttempt("Орлов, \"Сокол\" Илья", TodayAt(9, 10), 10, 300));
        j->Add(MakeAttempt("Петров Пётр", TodayAt(9, 20), 9, 500));
        j->Add(MakeAttempt("Вчерашний Ученик", TodayAt(9).addDays(-1), 10));
        window = std::make_unique<teacher::JournalWindow>(journal::OpenResult{j->db, {}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup()
    {
        window.reset();
        j.reset();
    }

    void csvIsTheJournalsFormatForTheShownRows()
    {
        const QString path = out.filePath("list.csv");
        const JobEnd end = WaitFor(window->Exports()->StartCsv(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        QVERIFY(window->StatusText().contains(path));

        // Byte for byte the lines the journal writes for today, as the command line writes them,
        // in the list's order (newest first) instead of the start order.
        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        journal::WriteCsv(*j->db, {QDate::currentDate(), QDate::currentDate(), {}}, expected);
        QList<QByteArray> expectedLines = expected.data().split('\n');
        std::reverse(expectedLines.begin() + 1, expectedLines.end() - 1);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().split('\n'), expectedLines);

        const QJsonArray records = CsvRecords(path);
        QCOMPARE(records.size(), 1 + 3);
        QStringList cells;
        for (const auto& record : records) {
            for (const auto& cell : record.toArray()) {
                cells << cell.toString();
            }
        }
        QCOMPARE(cells.count("Ким Мария"), 1);
        QCOMPARE(cells.count("Орлов, \"Сокол\" Илья"), 1);
        QCOMPARE(cells.count("Вчерашний Ученик"), 0);
    }

    void listPdfIsA4WithRussianHeadings()
    {
        // Only the pupils the name filter shows.
        auto* pupil = window->findChild<QLineEdit*>("pupilFilter");
        TypeInto(pupil, "ов");
        QTRY_COMPARE(window->Model()->rowCount(), 2);
        const QString path = out.filePath("list.pdf");
        QVERIFY(WaitFor(window->Exports()->StartListPdf(path)).Ok);
        const QString text = PdfText(path);
        QVERIFY2(text.contains("Журнал результатов"), qPrintable(text));
        QVERIFY(text.contains("За " + QDate::currentDate().toString("dd.MM.yyyy")));
        QVERIFY(text.contains("ученики, в имени которых есть «ов»"));
        QVERIFY(text.contains("Попыток: 2, средняя отметка: 4,5"));
        for (const char* heading : {"Ученик", "Компьютер", "Начало", "Время", "Отметка"}) {
            QVERIFY2(text.contains(QString::fromUtf8(heading)), qPrintable(text));
        }
        QVERIFY2(text.contains("Орлов, \"Сокол\" Илья"), qPrintable(text));
        QVERIFY(text.contains("Петров Пётр"));
        QVERIFY(!text.contains("Ким"));
        QVERIFY(text.contains(QDate::currentDate().toString("dd.MM.yyyy") + " 09:10"));
        const QString info = Run("pdfinfo", {path});
        QVERIFY2(info.contains("(A4)"), qPrintable(info));
    }

    void listPdfRunsOverPages()
    {
        for (int i = 0; i < 120; ++i) {
            j->Add(
                MakeAttempt(QStringLiteral("Ученик номер %1").arg(i), TodayAt(12).addSecs(i), 8));
        }
        window->findChild<QLineEdit*>("pupilFilter")->setText("номер");
        QTRY_COMPARE(window->Model()->Totals().Count, 120LL);
        const QString path = out.filePath("long.pdf");
        QVERIFY(WaitFor(window->Exports()->StartListPdf(path)).Ok);
        const QString text = PdfText(path);
        // Every row, not just those fetched for the screen.
        for (int i = 0; i < 120; ++i) {
            QVERIFY2(text.contains(QStringLiteral("Ученик номер %1 ").arg(i)),
                     qPrintable(QString::number(i)));
        }
        QVERIFY(Run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+[2-9]")));
    }

    void attemptPdfShowsTheRowsAndVerdictColours()
    {
        // Nothing to save while the list is empty (a filled list always has an attempt chosen).
        auto* pupil = window->findChild<QLineEdit*>("pupilFilter");
        pupil->setText("никого");
        QTRY_COMPARE(window->Model()->rowCount(), 0);
        QVERIFY(window->Exports()->StartAttemptPdf(out.filePath("none.pdf")) == nullptr);
        QVERIFY(window->StatusText().contains("Выберите попытку"));
        QVERIFY(!QFile::exists(out.filePath("none.pdf")));
        pupil->clear();

        auto* list = window->findChild<QTableView*>("list");
        QTRY_COMPARE(window->Model()->rowCount(), 3);
        // Newest first: row 2 is Ким.
        list->setCurrentIndex(window->Model()->index(2, 0));
        QCOMPARE(window->Detail()->Shown()->Pupil, "Ким Мария");
        const QString path = out.filePath("attempt.pdf");
        QVERIFY(WaitFor(window->Exports()->StartAttemptPdf(path)).Ok);
        const QString text = PdfText(path);
        QVERIFY2(text.contains("Попытка теста: Ким Мария"), qPrintable(text));
        QVERIFY(text.contains("Начало: " + QDate::currentDate().toString("dd.MM.yyyy") + " 09:05"));
        QVERIFY(text.contains("Время: 7:11 из 10:00"));
        QVERIFY(text.contains("Верных ответов: 7 из 10"));
        QVERIFY(text.contains("Ответ ученика"));
        QVERIFY(text.contains("Верный ответ"));
        QCOMPARE(CountWord(text, "верно"), 7);
        QCOMPARE(CountWord(text, "неверно"), 3);
        QCOMPARE(CountWord(text, "другая ошибка"), 2);
        QCOMPARE(CountWord(text, "не перевёрнут делитель"), 1);
        QVERIFY(Run("pdfinfo", {path}).contains("(A4)"));

        const QString prefix = out.filePath("page");
        Run("pdftoppm", {"-r", "60", "-png", "-singlefile", path, prefix});
        const QImage page(prefix + ".png");
        QVERIFY(!page.isNull());
        QVERIFY(PixelsNear(page, QColor(0, 100, 0)) > 50);
        QVERIFY(PixelsNear(page, QColor(100, 0, 0)) > 20);
    }

    // The practice sheet of Ким's attempt: the divisor not turned, explained with an example,
    // eight exercises of the test's tenth row, and their answers on a second page.
    void practiceSheetHasExercisesAndAnswersApart()
    {
        QTRY_COMPARE(window->Model()->rowCount(), 3);
        window->findChild<QTableView*>("list")->setCurrentIndex(window->Model()->index(2, 0));
        QCOMPARE(window->Detail()->Shown()->Pupil, "Ким Мария");
        const QString path = out.filePath("practice.pdf");
        QVERIFY(window->Detail()->SavePracticeSheet(path));
        const QString info = Run("pdfinfo", {path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\b")), qPrintable(info));
        QVERIFY(info.contains("(A4)"));

        const QString sheet =
            Run("pdftotext", {"-layout", "-f", "1", "-l", "1", path, QStringLiteral("-")});
        QVERIFY2(sheet.contains("Лист для тренировки"), qPrintable(sheet));
        QVERIFY(sheet.contains("Ученик: Ким Мария"));
        QVERIFY(sheet.contains("Не перевёрнут делитель"));
        // Lines may break anywhere in a sentence.
        QVERIFY2(sheet.simplified().contains("переверни делитель"), qPrintable(sheet));
        QVERIFY(sheet.contains("Пример:"));
        const QRegularExpression numbered(QStringLiteral("^ *[1-8]\\)"),
                                          QRegularExpression::MultilineOption);
        QCOMPARE(int(sheet.count(numbered)), 8);
        QVERIFY(!sheet.contains("Ответы"));

        const QString answers =
            Run("pdftotext", {"-layout", "-f", "2", "-l", "2", path, QStringLiteral("-")});
        QVERIFY2(answers.contains("Ответы (для учителя)"), qPrintable(answers));
        QCOMPARE(int(answers.count(numbered)), 8);
        QCOMPARE(int(answers.count(QStringLiteral("задание 10 теста"))), 8);
    }

    // «Напечатать лист…» shows the sheet in the print preview, its exercises and its answers on
    // pages of their own, and closing the preview prints nothing. The printing job gets the sheet
    // the preview showed and sends its pages: a QPrinter writing to a file stands in for the one
    // the print dialog would choose.
    void practiceSheetPrintedAfterAPreview()
    {
        QTRY_COMPARE(window->Model()->rowCount(), 3);
        window->findChild<QTableView*>("list")->setCurrentIndex(window->Model()->index(2, 0));
        QCOMPARE(window->Detail()->Shown()->Pupil, "Ким Мария");
        teacher::PracticeSheetCommands* commands = window->Detail()->PracticeSheet();
        QVERIFY(commands->PrintButton()->isEnabled());
        std::optional<engine::PracticeSheet> wanted;
        connect(commands, &teacher::PracticeSheetCommands::PrintWanted, this,
                [&](const QString&, const engine::PracticeSheet& sheet) { wanted = sheet; });

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
        QTest::mouseClick(commands->PrintButton(), Qt::LeftButton);
        QTRY_VERIFY(closed);
        QCOMPARE(previewPages, 2);
        QVERIFY(window->Exports()->Running() == nullptr);
        QVERIFY(wanted.has_value());
        QCOMPARE(int(wanted->Exercises.size()), engine::kPracticeExercises);

        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        teacher::SetUpA4(*printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString path = out.filePath("practice-printed.pdf");
        printer->setOutputFileName(path);
        teacher::ExportJob job("print", std::nullopt,
                               teacher::PracticeSheetPrintWork("Ким Мария", *wanted, printer));
        job.Start();
        const JobEnd end = WaitFor(&job);
        QVERIFY2(end.Ok, qPrintable(end.Message));
        const QString text = PdfText(path);
        QCOMPARE(int(text.count(u'\f')), 2);
        QVERIFY(text.contains("Ученик: Ким Мария"));
        QVERIFY(text.contains("Не перевёрнут делитель"));
        QVERIFY(text.contains("Ответы (для учителя)"));
        // The answers printed are the sheet's own.
        for (const engine::PracticeExercise& e : wanted->Exercises) {
            QVERIFY2(text.contains(QString::fromStdString(engine::FractionText(e.Exercise.Key))),
                     qPrintable(text));
        }
    }

    // The printer gets the same pages: a QPrinter set to write its output to a file stands in
    // for the one the print dialog would choose.
    void printerGetsTheSamePages_data()
    {
        QTest::addColumn<bool>("attempt");
        QTest::addColumn<QString>("heading");
        QTest::newRow("the list") << false << "Журнал результатов";
        QTest::newRow("one attempt") << true << "Попытка теста: Петров Пётр";
    }
    void printerGetsTheSamePages()
    {
        QFETCH(bool, attempt);
        QFETCH(QString, heading);
        QPrinter printer(QPrinter::HighResolution);
        teacher::SetUpA4(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = out.filePath("printed.pdf");
        printer.setOutputFileName(path);
        if (attempt) {
            window->findChild<QTableView*>("list")->selectRow(0);
            QVERIFY(teacher::PrintAttempt(*window->Detail()->Shown(), printer));
        } else {
            teacher::PaintList(*j->db, teacher::RequestOf(*window->Model()), printer, nullptr);
        }
        const QString text = PdfText(path);
        QVERIFY2(text.contains(heading), qPrintable(text));
        QVERIFY(text.contains(QDate::currentDate().toString("dd.MM.yyyy")));
        QVERIFY(Run("pdfinfo", {path}).contains("(A4)"));
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    }

    void unwritableFileIsSaidNotCrashed()
    {
        const QString nowhere = out.filePath("no-such-folder/list");
        QVERIFY(!WaitFor(window->Exports()->StartCsv(nowhere + ".csv")).Ok);
        QVERIFY2(window->StatusText().contains("не сохранён"), qPrintable(window->StatusText()));
        QVERIFY(!WaitFor(window->Exports()->StartXlsx(nowhere + ".xlsx")).Ok);
        QVERIFY2(window->StatusText().contains("Не удалось записать"),
                 qPrintable(window->StatusText()));
        QVERIFY(!WaitFor(window->Exports()->StartListPdf(nowhere + ".pdf")).Ok);
        QVERIFY(window->StatusText().contains("не сохранён"));
        QVERIFY(!QDir(out.filePath("no-such-folder")).exists());
    }
};

QTEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
