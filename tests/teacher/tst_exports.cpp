// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the list while the window stays in use: CSV in the list's order with either separator
// (read back by Python's csv module), the .xlsx read back by openpyxl (numbers, dates, the frozen
// and filtered header; the class view's and the typical mistakes' sheets), the list PDF's numbered
// pages (pdftotext), an export (the list's, the typical mistakes') stopped half way by «Отмена»
// leaving the earlier file as it was and nothing beside it, the window handling a click while a
// long export runs, the list reading itself again when a test ends, and a journal file copied
// from elsewhere opened in a window of its own without a byte of it changed.
#include "journal/attempt_check.h"
#include "journal/roster.h"
#include "teacher/attempt_list_model.h"
#include "teacher/class_view.h"
#include "teacher/export_tasks.h"
#include "teacher/journal_file_window.h"
#include "teacher/journal_watch.h"
#include "teacher/journal_window.h"
#include "teacher/list_pages.h"
#include "teacher/printed_documents.h"
#include "teacher/window_exports.h"
#include "tests/support/message_box_closer.h"
#include "tests/teacher/export_wait.h"
#include "tests/teacher/journal_fixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

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

QJsonDocument Python(const QString& script, const QStringList& arguments)
{
    return QJsonDocument::fromJson(Run(QStringLiteral("/usr/bin/python3"),
                                       QStringList{QStringLiteral("-c"), script} + arguments)
                                       .toUtf8());
}

// The pupils' column of a CSV file, as Python's csv module reads it with this delimiter.
QStringList CsvPupils(const QString& path, QChar separator)
{
    const QJsonArray records =
        Python(QStringLiteral("import csv, json, sys\n"
                              "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                              "    print(json.dumps([r[1] for r in csv.reader(f, "
                              "delimiter=sys.argv[2])]))\n"),
               {path, QString(separator)})
            .array();
    QStringList pupils;
    for (const auto& cell : records) {
        pupils << cell.toString();
    }
    return pupils;
}

QStringList ShownPupils(teacher::AttemptListModel& model)
{
    model.FetchAll();
    QStringList pupils;
    for (int row = 0; row < model.rowCount(); ++row) {
        pupils << model.index(row, teacher::AttemptListModel::Pupil).data().toString();
    }
    return pupils;
}

QByteArray Checksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class ExportsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;
    std::unique_ptr<teacher::JournalWindow> window;
    std::unique_ptr<QTemporaryDir> out;

    void Open()
    {
        window = std::make_unique<teacher::JournalWindow>(journal::OpenResult{j->db, {}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void AddMany(int n)
    {
        for (int i = 0; i < n; ++i) {
            j->Add(MakeAttempt(QStringLiteral("Ученик %1").arg(i, 4, 10, QLatin1Char('0')),
                               TodayAt(8).addSecs(i), i % 11));
        }
    }

private slots:
    void init()
    {
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
        out = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        window.reset();
        j.reset();
        out.reset();
    }

    // The CSV holds the rows the list shows in the order it shows them, whichever the column
    // and the separator; names holding either separator or quotes stay one field.
    void csvFollowsTheListsOrder_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::newRow("commas, by pupil")
            << QChar(u',') << int(teacher::AttemptListModel::Pupil) << Qt::AscendingOrder;
        QTest::newRow("semicolons, by mark")
            << QChar(u';') << int(teacher::AttemptListModel::Mark) << Qt::DescendingOrder;
        QTest::newRow("semicolons, by time used")
            << QChar(u';') << int(teacher::AttemptListModel::Duration) << Qt::AscendingOrder;
    }
    void csvFollowsTheListsOrder()
    {
        QFETCH(QChar, separator);
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        j->Add(MakeAttempt("Ким Мария", TodayAt(9, 5), 7, 431));
        j->Add(MakeAttempt("Орлов, \"Сокол\"; Илья", TodayAt(9, 10), 10, 300));
        j->Add(MakeAttempt("Петров Пётр", TodayAt(9, 20), 9, 500));
        j->Add(MakeAttempt("Абрамов Антон", TodayAt(9, 30), 3, 120));
        j->Add(MakeAttempt("Вчерашний Ученик", TodayAt(9).addDays(-1), 10));
        Open();
        window->findChild<QTableView*>("list")->horizontalHeader()->setSortIndicator(column, order);
        QCOMPARE(window->Model()->SortColumn(), column);

        const QString path = out->filePath("list.csv");
        const JobEnd end = WaitFor(window->Exports()->StartCsv(path, separator));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        const QStringList written = CsvPupils(path, separator);
        QVERIFY2(!written.isEmpty(), "the CSV was not read back");
        QCOMPARE(written.first(), "Ученик");
        QCOMPARE(written.mid(1), ShownPupils(*window->Model()));
        QCOMPARE(written.size(), 1 + 4);
    }

    // The job reads on a connection of its own: it still reads the attempt's class and its time
    // allowed, so a pupil with 15 minutes who used 13 is in the class's column and «сходится».
    void csvJobReadsTheClassAndTheTimeAllowed()
    {
        journal::StoredAttempt extra = MakeAttempt("Ким Мария", TodayAt(9, 5), 7, 800);
        extra.ClassName = "6А";
        extra.Record.SecondsAllowed = 900;
        j->Add(extra);
        Open();
        const QString path = out->filePath("list.csv");
        const JobEnd end = WaitFor(window->Exports()->StartCsv(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        const QJsonArray records =
            Python(QStringLiteral("import csv, json, sys\n"
                                  "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                  "    print(json.dumps(list(csv.reader(f))))\n"),
                   {path})
                .array();
        QCOMPARE(records.size(), 2);
        const QJsonArray header = records.at(0).toArray();
        const QJsonArray line = records.at(1).toArray();
        QCOMPARE(header.last().toString(), QStringLiteral("Класс"));
        QCOMPARE(line.last().toString(), QStringLiteral("6А"));
        QVERIFY2(line.contains(QJsonValue("сходится")),
                 qPrintable(QJsonDocument(line).toJson(QJsonDocument::Compact)));
    }

    void xlsxReadsBackAsNumbersAndDates()
    {
        j->Add(MakeAttempt("Ким Мария", TodayAt(9, 5), 7, 431));
        journal::StoredAttempt hostile = MakeAttempt("=1+2", TodayAt(9, 10), 10, 300);
        hostile.Host = QStringLiteral("класс\x01-2");
        j->Add(hostile);
        j->Add(MakeAttempt("Петров Пётр", TodayAt(9, 20), std::nullopt, 500));
        Open();
        const QString path = out->filePath("list.xlsx");
        const JobEnd end = WaitFor(window->Exports()->StartXlsx(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));

        const QJsonObject book =
            Python(QStringLiteral(
                       "import json, sys, openpyxl\n"
                       "wb = openpyxl.load_workbook(sys.argv[1])\n"
                       "ws = wb.active\n"
                       "rows = [[[type(c.value).__name__, str(c.value)] for c in r] "
                       "for r in ws.iter_rows()]\n"
                       "print(json.dumps({'sheets': wb.sheetnames, 'freeze': ws.freeze_panes,\n"
                       "  'filter': ws.auto_filter.ref, 'rows': rows,\n"
                       "  'widthA': ws.column_dimensions['A'].width,\n"
                       "  'widthC': ws.column_dimensions['C'].width}))\n"),
                   {path})
                .object();
        // Without a roster there is no class to show: the list and its mistakes.
        QCOMPARE(book["sheets"].toArray(), (QJsonArray{"Список", "Типичные ошибки"}));
        QCOMPARE(book["freeze"].toString(), "A2");
        QCOMPARE(book["filter"].toString(), "A1:J4");
        QVERIFY(book["widthA"].toDouble() >= 25);
        QVERIFY(book["widthC"].toDouble() >= 15);
        const QJsonArray rows = book["rows"].toArray();
        QCOMPARE(rows.size(), 4);
        const auto cell = [&](int row, int column) {
            return rows.at(row).toArray().at(column).toArray();
        };
        QCOMPARE(cell(0, 0).at(1).toString(), "Ученик");
        QCOMPARE(cell(0, 7).at(1).toString(), "Отметка");
        // Newest first, as the list shows them.
        QCOMPARE(cell(1, 0).at(1).toString(), "Петров Пётр");
        QCOMPARE(cell(2, 0).at(0).toString(), "str");
        QCOMPARE(cell(2, 0).at(1).toString(), "=1+2");
        QCOMPARE(cell(2, 1).at(1).toString(), "класс -2");
        QCOMPARE(cell(3, 0).at(1).toString(), "Ким Мария");
        QCOMPARE(cell(3, 2).at(0).toString(), "datetime");
        QCOMPARE(cell(3, 2).at(1).toString(),
                 TodayAt(9, 5).toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
        QCOMPARE(cell(3, 6).at(0).toString(), "int");
        QCOMPARE(cell(3, 6).at(1).toString(), "7");
        QCOMPARE(cell(3, 7).at(0).toString(), "int");
        QCOMPARE(cell(3, 7).at(1).toString(), "2");
        // 431 seconds as a duration.
        QCOMPARE(cell(3, 4).at(1).toString(), "0:07:11");
        // An interrupted attempt has no count and no mark: empty cells, not zeros.
        QCOMPARE(cell(1, 6).at(0).toString(), "NoneType");
        QCOMPARE(cell(1, 7).at(0).toString(), "NoneType");
    }

    // The window's workbook holds the class view's lines and the listed attempts' typical
    // mistakes as sheets of their own, numbers as numbers and stored names as texts: a class
    // where one pupil retook the test with a known mistake (the divisor not turned over, 1/5000
    // for 1/100 : 1/50 on row 10), one took it once and one never did.
    void xlsxHasTheClassAndItsMistakes()
    {
        const journal::Connection& c = *j->db;
        const auto klass = journal::AddClass(c, {{}, "6А", "2026/2027", false, {}});
        const auto anna = journal::AddPupil(c, {{}, klass.Id, "Алексеева", "Анна", {}, {}});
        journal::AddPupil(c, {{}, klass.Id, "Борисов", "Борис", {}, {}});
        // A stored name that a spreadsheet would take for a formula.
        journal::AddPupil(c, {{}, klass.Id, "=СУММ(1)", "Виктор", {}, {}});
        auto once = MakeAttempt("Анна", TodayAt(9), 10, 300);
        once.ClassName = "6А";
        once.RosterPupilId = anna.Id;
        j->Add(once);
        auto first = MakeAttempt("Борисов Борис", TodayAt(10), 10, 360);
        first.ClassName = "6А";
        j->Add(first);
        auto retake = MakeAttempt("Борисов Борис", TodayAt(11), 9, 420);
        retake.ClassName = "6А";
        retake.Record.Rows.at(9).Typed = {"", "1", "5000"};
        j->Add(retake);
        const std::optional<int> retakeMark = journal::CheckAttempt(retake).Mark;
        QVERIFY(retakeMark.has_value());
        Open();
        QVERIFY(window->Classes() != nullptr);
        QCOMPARE(window->Classes()->Results().Lines.size(), std::size_t(3));

        const QString path = out->filePath("class.xlsx");
        const JobEnd end = WaitFor(window->Exports()->StartXlsx(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        const QJsonObject book =
            Python(QStringLiteral(
                       "import json, sys, openpyxl\n"
                       "wb = openpyxl.load_workbook(sys.argv[1])\n"
                       "out = {'sheets': wb.sheetnames}\n"
                       "for ws in wb.worksheets[1:]:\n"
                       "    out[ws.title] = {'freeze': ws.freeze_panes, 'filter': "
                       "ws.auto_filter.ref,\n"
                       "        'rows': [[[type(c.value).__name__, str(c.value), c.number_format]\n"
                       "                  for c in r] for r in ws.iter_rows()]}\n"
                       "print(json.dumps(out))\n"),
                   {path})
                .object();
        QCOMPARE(book["sheets"].toArray(), (QJsonArray{"Список", "Класс", "Типичные ошибки"}));
        // [type, value, number format] of a cell.
        const auto cell = [&](const char* sheet, int row, int column) {
            return book[sheet]["rows"].toArray().at(row).toArray().at(column).toArray();
        };
        const auto value = [&](const char* sheet, int row, int column) {
            return cell(sheet, row, column).at(1).toString();
        };

        const QJsonObject pupils = book["Класс"].toObject();
        QCOMPARE(pupils["freeze"].toString(), "A2");
        QCOMPARE(pupils["filter"].toString(), "A1:D4");
        QCOMPARE(value("Класс", 0, 0), "Ученик");
        QCOMPARE(value("Класс", 0, 3), "Попыток");
        QHash<QString, int> rowOf;
        for (int row = 1; row < 4; ++row) {
            rowOf.insert(value("Класс", row, 0), row);
        }
        QCOMPARE(rowOf.size(), 3);
        const int a = rowOf.value("Алексеева Анна");
        const int b = rowOf.value("Борисов Борис");
        const int v = rowOf.value("=СУММ(1) Виктор");
        QVERIFY(a > 0 && b > 0 && v > 0);
        QCOMPARE(cell("Класс", v, 0).at(0).toString(), "str");
        QCOMPARE(cell("Класс", a, 1).at(0).toString(), "int");
        QCOMPARE(value("Класс", a, 1), "5");
        QCOMPARE(value("Класс", a, 2), "0:05:00");
        QCOMPARE(value("Класс", a, 3), "1");
        // The last attempt gives the mark (the view's first choice); both attempts count.
        QCOMPARE(value("Класс", b, 1), QString::number(*retakeMark));
        QCOMPARE(value("Класс", b, 2), "0:07:00");
        QCOMPARE(cell("Класс", b, 3).at(0).toString(), "int");
        QCOMPARE(value("Класс", b, 3), "2");
        QCOMPARE(cell("Класс", v, 1).at(0).toString(), "str");
        QCOMPARE(value("Класс", v, 1), "не проходил(а)");
        QCOMPARE(cell("Класс", v, 2).at(0).toString(), "NoneType");
        QCOMPARE(value("Класс", v, 3), "0");

        const QJsonObject mistakes = book["Типичные ошибки"].toObject();
        QCOMPARE(mistakes["freeze"].toString(), "A2");
        // The filters cover the mistakes, not the exercise rows under them.
        QCOMPARE(mistakes["filter"].toString(), "A1:D2");
        const char* const m = "Типичные ошибки";
        QCOMPARE(value(m, 0, 0), "Ошибка");
        QCOMPARE(value(m, 1, 0), "не перевёрнут делитель");
        QCOMPARE(cell(m, 1, 1).at(0).toString(), "int");
        QCOMPARE(value(m, 1, 1), "1");
        QCOMPARE(value(m, 1, 2), "1");
        QCOMPARE(value(m, 1, 3), "10");
        QCOMPARE(cell(m, 2, 0).at(0).toString(), "NoneType");
        QCOMPARE(value(m, 3, 1), "Вид задания");
        QCOMPARE(book[m]["rows"].toArray().size(), 4 + engine::kAttemptRows);
        // Row 1: all three right; row 10: two of three, the mistake above most common.
        QCOMPARE(value(m, 4, 0), "1");
        QCOMPARE(value(m, 4, 1), "дробь × дробь");
        QCOMPARE(cell(m, 4, 2).at(0).toString(), "int");
        QCOMPARE(value(m, 4, 2), "1");
        QCOMPARE(cell(m, 4, 2).at(2).toString(), "0%");
        QCOMPARE(cell(m, 4, 3).at(0).toString(), "NoneType");
        QCOMPARE(value(m, 13, 0), "10");
        QCOMPARE(value(m, 13, 1), "дробь : дробь");
        QCOMPARE(cell(m, 13, 2).at(0).toString(), "float");
        QVERIFY(qFuzzyCompare(value(m, 13, 2).toDouble(), 2.0 / 3.0));
        QCOMPARE(value(m, 13, 3), "не перевёрнут делитель");
    }

    // Every page says its number out of how many there are, the test and the filter.
    void pdfPagesAreNumbered()
    {
        AddMany(150);
        Open();
        const QString path = out->filePath("list.pdf");
        QVERIFY(WaitFor(window->Exports()->StartListPdf(path)).Ok);
        const QRegularExpression pagesLine("Pages:\\s+(\\d+)");
        const int pages = pagesLine.match(Run("pdfinfo", {path})).captured(1).toInt();
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        const QStringList texts =
            Run("pdftotext", {"-layout", path, "-"}).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(texts.size(), pages);
        for (int page = 1; page <= pages; ++page) {
            const QString& text = texts.at(page - 1);
            QVERIFY2(text.contains(QStringLiteral("Страница %1 из %2").arg(page).arg(pages)),
                     qPrintable(text));
            QVERIFY(text.contains("Тест: умножение и деление обыкновенных дробей"));
            QVERIFY(text.contains("За " + QDate::currentDate().toString("dd.MM.yyyy")));
            QVERIFY(text.contains("Отметка"));
        }
        QVERIFY(texts.first().contains("Ученик 0149"));
        QVERIFY(texts.last().contains("Ученик 0000"));
    }

    // Printing is a job too: the pages reach the printer from the job's thread, numbered. A
    // QPrinter writing to a file stands in for the one the print dialog would choose.
    void printingRunsAsAJob()
    {
        AddMany(120);
        Open();
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        teacher::SetUpA4(*printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString path = out->filePath("printed.pdf");
        printer->setOutputFileName(path);
        teacher::ExportJob job(
            "print", *j->db, teacher::ListPrintWork(teacher::RequestOf(*window->Model()), printer));
        job.Start();
        const JobEnd end = WaitFor(&job);
        QVERIFY2(end.Ok, qPrintable(end.Message));
        const QString text = Run("pdftotext", {"-layout", path, "-"});
        const auto pages = static_cast<int>(text.count(u'\f'));
        QVERIFY2(pages >= 2, qPrintable(text.left(500)));
        QVERIFY(text.contains(QStringLiteral("Страница %1 из %1").arg(pages)));
        QVERIFY(text.contains("Ученик 0000"));
    }

    // Ctrl+P shows every page before anything is printed; closing the preview prints nothing.
    void printPreviewComesFirst()
    {
        AddMany(120);
        Open();
        int previewPages = -1;
        bool closed = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != "printPreview" || closed) {
                return;
            }
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            previewPages = preview->pageCount();
            closed = true;
            dialog->reject();
        });
        poll.start(10);
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QTRY_VERIFY(closed);
        QCOMPARE(previewPages,
                 teacher::ListPageCount(120, window->Model()->Filter(), window->Model()->Totals()));
        QVERIFY(previewPages >= 2);
        QVERIFY(window->Exports()->Running() == nullptr);
    }

    // A list PDF of more pages than a teacher would mean to print is asked about first, with the
    // count of attempts and pages; «Отмена» there asks for no file at all.
    void manyPagesAreAskedAboutFirst()
    {
        j->Add(MakeAttempt("Ким Мария", TodayAt(9), 7));
        // Fourteen thousand copies of it: only the count matters before the file dialog.
        QSqlQuery copies(QSqlDatabase::database(j->db->Name));
        QVERIFY2(copies.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                             "WHERE i < 14000) "
                             "INSERT INTO attempt (id, pupil, pupil_folded, host, program_version, "
                             "started_at, ended_at, seconds_used, ending, right_count, grade_text, "
                             "mark) SELECT printf('%08x-0000-4000-8000-000000000000', i), pupil, "
                             "pupil_folded, host, program_version, started_at, ended_at, "
                             "seconds_used, ending, right_count, grade_text, mark FROM attempt, n"),
                 qPrintable(copies.lastError().text()));
        Open();
        QCOMPARE(window->Model()->Totals().Count, 14001LL);
        const int pages =
            teacher::ListPageCount(14001, window->Model()->Filter(), window->Model()->Totals());
        QVERIFY(pages > teacher::WindowExports::kPagesWithoutWarning);

        MessageBoxCloser boxes;
        boxes.closeKey = Qt::Key_Escape;
        bool fileDialogShown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                fileDialogShown = true;
                dialog->reject();
            }
        });
        poll.start(10);
        QAction* pdf = nullptr;
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text() == "Сохранить список в P&DF…") {
                pdf = action;
            }
        }
        QVERIFY(pdf != nullptr);
        pdf->trigger();
        QCOMPARE(boxes.seen.size(), 1);
        const QString text = boxes.seen.first().text;
        QVERIFY2(text.contains(QStringLiteral("14 001 попытка (%1 страниц").arg(pages)) ||
                     text.contains(QStringLiteral("14 001 попытка (%1 страниц").arg(pages)),
                 qPrintable(text));
        QVERIFY(!fileDialogShown);
        QVERIFY(window->Exports()->Running() == nullptr);
    }

    // «Отмена» pressed while the export is half done: the job ends as cancelled, the file that
    // was there before is untouched, and nothing is left beside it.
    void cancelledExportLeavesNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::newRow("csv") << "csv"
                             << "list.csv";
        QTest::newRow("xlsx") << "xlsx"
                              << "list.xlsx";
        QTest::newRow("pdf") << "pdf"
                             << "list.pdf";
        QTest::newRow("typical mistakes") << "mistakes"
                                          << "mistakes.pdf";
    }
    void cancelledExportLeavesNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        AddMany(1200);
        Open();
        const QString path = out->filePath(file);
        {
            QFile before(path);
            QVERIFY(before.open(QIODevice::WriteOnly));
            before.write("earlier");
        }
        teacher::WindowExports* exports = window->Exports();
        teacher::ExportJob* job = kind == "csv"        ? exports->StartCsv(path)
                                  : kind == "xlsx"     ? exports->StartXlsx(path)
                                  : kind == "mistakes" ? exports->StartMistakesPdf(path)
                                                       : exports->StartListPdf(path);
        QVERIFY(job != nullptr);
        auto* cancel = window->findChild<QPushButton*>("jobCancel");
        QVERIFY(cancel->isVisible());
        long long cancelledAt = -1;
        connect(job, &teacher::ExportJob::Progress, cancel, [&](long long done, long long total) {
            if (cancelledAt < 0 && done < total) {
                cancelledAt = done;
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        const JobEnd end = WaitFor(job);
        QVERIFY2(cancelledAt > 0, "no progress came while the export ran");
        QVERIFY(!end.Ok);
        QVERIFY2(end.Message.contains("Отменено"), qPrintable(end.Message));
        QVERIFY(window->StatusText().contains("Отменено"));
        QVERIFY(!cancel->isVisible());
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("earlier"));
        QCOMPARE(FilesIn(out->path()), QStringList{file});
    }

    // While a long PDF is painted the window keeps handling input: a click on a heading sorts
    // the list at a moment the progress bar shows the export half done.
    void windowRespondsDuringALongExport()
    {
        AddMany(2000);
        Open();
        auto* bar = window->findChild<QProgressBar*>("jobProgress");
        auto* header = window->findChild<QTableView*>("list")->horizontalHeader();
        QTimer tick;
        tick.setInterval(0);
        int ticksMidWay = 0;
        bool clicked = false;
        connect(&tick, &QTimer::timeout, this, [&] {
            if (bar->isVisible() && bar->value() > 0 && bar->value() < bar->maximum()) {
                ++ticksMidWay;
                if (!clicked) {
                    clicked = true;
                    const int x = header->sectionViewportPosition(teacher::AttemptListModel::Pupil);
                    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x + 5, 5));
                }
            }
        });
        tick.start();
        const QString path = out->filePath("long.pdf");
        const JobEnd end = WaitFor(window->Exports()->StartListPdf(path), 120000);
        tick.stop();
        QVERIFY2(end.Ok, qPrintable(end.Message));
        QVERIFY2(ticksMidWay > 0, "no event was handled while the export ran");
        QCOMPARE(window->Model()->SortColumn(), int(teacher::AttemptListModel::Pupil));
        // The PDF keeps the order the list had when it was asked for: newest first.
        const QString first = Run("pdftotext", {"-f", "1", "-l", "1", "-layout", path, "-"});
        QVERIFY2(first.contains("Ученик 1999"), qPrintable(first.left(2000)));
    }

    // A test that ends while the window is open changes from «идёт» to «сдан» at the next
    // check; a check that finds nothing new reads nothing again.
    void listReadsItselfAgainWhenATestEnds()
    {
        journal::StoredAttempt running = MakeAttempt("Ким Мария", TodayAt(9, 5), std::nullopt);
        running.Record.End = engine::AttemptEnd::Running;
        j->Add(running);
        j->Add(MakeAttempt("Петров Пётр", TodayAt(9, 0), 9));
        Open();
        auto* list = window->findChild<QTableView*>("list");
        list->setCurrentIndex(window->Model()->index(1, 0));
        const QModelIndex ending = window->Model()->index(0, teacher::AttemptListModel::Ending);
        QCOMPARE(ending.data().toString(), "идёт");

        QSignalSpy changed(window->Watch(), &teacher::JournalWatch::Changed);
        window->Watch()->Check();
        QCOMPARE(changed.count(), 0);

        journal::StoredAttempt ended = MakeAttempt("Ким Мария", TodayAt(9, 5), 8);
        ended.Id = running.Id;
        j->Add(ended);
        window->Watch()->Check();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(window->Model()->index(0, teacher::AttemptListModel::Ending).data().toString(),
                 "сдан");
        // Eight right answers earn a 3.
        QCOMPARE(window->Model()->index(0, teacher::AttemptListModel::Mark).data().toString(), "3");
        // The attempt chosen before stays chosen.
        QCOMPARE(list->currentIndex().row(), 1);
    }

    void copiedJournalOpensAsItIs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a journal") << "journal" << QString();
        QTest::newRow("not a journal") << "text"
                                       << "не журнал";
        QTest::newRow("an older journal") << "older"
                                          << "более старой";
        QTest::newRow("a newer journal") << "newer"
                                         << "более новой";
        QTest::newRow("no file") << "missing"
                                 << "нет";
    }
    void copiedJournalOpensAsItIs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, refusal);
        j->Add(MakeAttempt("Ким Мария", TodayAt(9, 5), 7, 431));
        if (kind == "older" || kind == "newer") {
            QVERIFY(QSqlQuery(QSqlDatabase::database(j->db->Name))
                        .exec(kind == "older" ? "UPDATE schema_version SET version = 1"
                                              : "UPDATE schema_version SET version = 99"));
        }
        journal::CloseConnection(*j->db);
        j->db.reset();
        const QString path = out->filePath("класс-2.sqlite");
        if (kind == "text") {
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("Ученик;Отметка\n");
        } else if (kind != "missing") {
            QVERIFY(QFile::copy(j->Path(), path));
        }
        const QByteArray before = Checksum(path);

        const journal::OpenResult opened = teacher::OpenCopiedJournal(path);
        if (!refusal.isEmpty()) {
            QVERIFY(!opened.Db);
            QVERIFY2(opened.Problem.contains(refusal), qPrintable(opened.Problem));
        } else {
            QVERIFY2(opened.Db, qPrintable(opened.Problem));
            {
                teacher::JournalWindow copy(opened);
                copy.show();
                QVERIFY(QTest::qWaitForWindowExposed(&copy));
                QCOMPARE(copy.windowTitle(), "Журнал результатов — класс-2.sqlite");
                QCOMPARE(copy.Model()->rowCount(), 1);
                QCOMPARE(copy.Model()->index(0, 0).data().toString(), "Ким Мария");
            }
            journal::CloseConnection(*opened.Db);
        }
        QCOMPARE(Checksum(path), before);
        QCOMPARE(QFile::exists(path), kind != "missing");
    }
};

QTEST_MAIN(ExportsTest)
#include "tst_exports.moc"
