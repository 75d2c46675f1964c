// SPDX-License-Identifier: GPL-3.0-or-later
// The class view in the teacher's window over a real journal file: a class with a pupil who took
// the test once, one who retook it (the last and the best attempt differ), one who did not, an
// attempt of another class by the same name and one from another day that must not count. The
// class as PDF, read back with pdftotext over more than one page, and a PDF job stopped half
// way leaving the earlier file as it was.
#include "export_wait.h"
#include "journal_fixture.h"

#include "journal/roster.h"
#include "teacher/attempt_list_model.h"
#include "teacher/class_view.h"
#include "teacher/journal_window.h"
#include "teacher/window_exports.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QStringLiteral("(pdftotext failed: %1)")
            .arg(QString::fromUtf8(process.readAllStandardError()));
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QAction* MenuAction(QMainWindow& window, const QString& text)
{
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// A class «6В» of `pupils` pupils «Ученик001 Имя»…, the first of whom took the test twice today
// (a 2, then a 5); the window shows it with the best attempt chosen.
struct LargeClass {
    explicit LargeClass(int pupils)
    {
        const journal::Connection& c = *f.db;
        const auto k = journal::AddClass(c, {{}, "6В", "2026/2027", false, {}});
        classId = k.Id;
        for (int i = 1; i <= pupils; ++i) {
            journal::AddPupil(
                c, {{}, k.Id, QStringLiteral("Ученик%1").arg(i, 3, 10, QChar('0')), "Имя", {}, {}});
        }
        auto first = MakeAttempt("Ученик001 Имя", TodayAt(9), 0, 400);
        first.ClassName = "6В";
        f.Add(first);
        auto retake = MakeAttempt("Ученик001 Имя", TodayAt(10), 10, 250);
        retake.ClassName = "6В";
        f.Add(retake);
        window.emplace(journal::OpenResult{f.db, {}});
        view = window->Classes();
        auto* choice = view->findChild<QComboBox*>("markChoice");
        choice->setCurrentIndex(choice->findData(int(journal::MarkChoice::Best)));
        // The class is read on a thread of its own; its lines come through the event loop.
        QTRY_VERIFY_WITH_TIMEOUT(!view->Reading(), 30000);
    }

    JournalFile f;
    QString classId;
    std::optional<teacher::JournalWindow> window;
    teacher::ClassView* view = nullptr;
};

} // namespace

class TestClassView : public QObject {
    Q_OBJECT

private slots:
    // An attempt taken on an account the roster does not know has no class: it is the pupil's
    // of that name all the same, and one under a name the class does not have is no one's.
    void attemptWithoutAClassCountsByName()
    {
        JournalFile f;
        QVERIFY(f.db);
        const journal::Connection& c = *f.db;
        const auto a = journal::AddClass(c, {{}, "6А", "2026/2027", false, {}});
        journal::AddPupil(c, {{}, a.Id, "Власов", "Виктор", {}, {}});
        f.Add(MakeAttempt("Власов Виктор", TodayAt(9), 10, 300));
        f.Add(MakeAttempt("Чужой Человек", TodayAt(10), 10, 300));
        teacher::JournalWindow window({f.db, {}});
        auto* view = window.Classes();
        QVERIFY(view != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!view->Reading() && !view->Results().Lines.empty(), 30000);
        QCOMPARE(view->Results().Lines.size(), 1U);
        QCOMPARE(view->Results().Lines.front().Attempts, 1);
        QCOMPARE(view->Results().Lines.front().Mark, std::optional<int>(5));
    }

    void linePerPupil_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("summary");
        QTest::newRow("last attempt")
            << int(journal::MarkChoice::Last)
            << QStringList{"Алексеева Анна|5|5:00|1", "Борисов Борис|2|7:00|2",
                           "Власов Виктор|не проходил(а)||0"}
            << "Средняя отметка: 3,5. Пятёрок: 1, четвёрок: 0, троек: 0, двоек: 1.";
        QTest::newRow("best attempt")
            << int(journal::MarkChoice::Best)
            << QStringList{"Алексеева Анна|5|5:00|1", "Борисов Борис|5|6:00|2",
                           "Власов Виктор|не проходил(а)||0"}
            << "Средняя отметка: 5,0. Пятёрок: 2, четвёрок: 0, троек: 0, двоек: 0.";
    }

    void linePerPupil()
    {
        QFETCH(int, choice);
        QFETCH(QStringList, lines);
        QFETCH(QString, summary);
        JournalFile f;
        QVERIFY(f.db);
        const journal::Connection& c = *f.db;
        const auto a = journal::AddClass(c, {{}, "6А", "2026/2027", false, {}});
        const auto b = journal::AddClass(c, {{}, "6Б", "2026/2027", false, {}});
        const auto anna = journal::AddPupil(c, {{}, a.Id, "Алексеева", "Анна", {}, {}});
        journal::AddPupil(c, {{}, a.Id, "Власов", "Виктор", {}, {}});
        journal::AddPupil(c, {{}, a.Id, "Борисов", "Борис", {}, {}});
        journal::AddPupil(c, {{}, b.Id, "Борисов", "Борис", {}, {}});

        auto once = MakeAttempt("Анна", TodayAt(9), 10, 300);
        once.ClassName = "6А";
        once.RosterPupilId = anna.Id; // linked: the stored name does not matter
        f.Add(once);
        auto yesterday = MakeAttempt("Анна", TodayAt(9).addDays(-1), 0, 200);
        yesterday.ClassName = "6А";
        yesterday.RosterPupilId = anna.Id;
        f.Add(yesterday);
        // Typed names, found by name in any case.
        auto first = MakeAttempt("БОРИСОВ борис", TodayAt(10), 10, 360);
        first.ClassName = "6А";
        f.Add(first);
        auto retake = MakeAttempt("Борисов Борис", TodayAt(11), 0, 420);
        retake.ClassName = "6А";
        f.Add(retake);
        auto otherClass = MakeAttempt("Борисов Борис", TodayAt(12), 10, 100);
        otherClass.ClassName = "6Б";
        f.Add(otherClass);

        teacher::JournalWindow window({f.db, {}});
        auto* view = window.Classes();
        QVERIFY(view != nullptr);
        auto* tabs = window.findChild<QTabWidget*>("tabs");
        // The view is a tab of its own (inside the tab's scroll area).
        QVERIFY(tabs->indexOf(view->parentWidget()->parentWidget()) >= 0);
        auto* classes = view->findChild<QComboBox*>("classChoice");
        QCOMPARE(classes->count(), 2);
        classes->setCurrentIndex(classes->findData(a.Id));
        view->findChild<QComboBox*>("markChoice")
            ->setCurrentIndex(view->findChild<QComboBox*>("markChoice")->findData(choice));
        QTRY_VERIFY_WITH_TIMEOUT(!view->Reading(), 30000);
        auto* table = view->findChild<QTableWidget*>("classTable");
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) {
                cells << table->item(row, column)->text();
            }
            shown << cells.join('|');
        }
        QCOMPARE(shown, lines);
        QCOMPARE(view->SummaryText(), summary);
        // The same lines as CSV, read back.
        const QString csv = f.dir.filePath("class.csv");
        QVERIFY(view->ExportCsv(csv));
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList records =
            QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(records.size(), lines.size() + 2);
        QCOMPARE(records.first(), QStringLiteral("Фамилия,Имя,Отметка,Секунд,Попыток"));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QStringList cells = lines.at(i).split('|');
            QCOMPARE(records.at(i + 1).split(',').at(2), cells.at(1));
            QCOMPARE(records.at(i + 1).split(',').at(4), cells.at(3));
        }

        // The class filter beside the dates: the list shows that class's attempts only.
        auto* filter = window.findChild<QComboBox*>("classFilter");
        QVERIFY(filter->isVisibleTo(&window));
        QCOMPARE(window.Model()->rowCount(), 4); // today's, every class
        filter->setCurrentIndex(filter->findData("6Б"));
        QCOMPARE(window.Model()->rowCount(), 1);
        QCOMPARE(window.Model()->Filter().ClassName, QStringLiteral("6Б"));
    }

    // Choosing a class returns at once: the pupils and attempts are read on a thread of their
    // own, and the lines arrive through the window's event loop. A class chosen while another is
    // read overtakes it (tst_background_reads shows an overtaken read dropped whenever it ends).
    void readsTheClassOffTheWindowsThread()
    {
        JournalFile f;
        QVERIFY(f.db);
        const journal::Connection& c = *f.db;
        const auto a = journal::AddClass(c, {{}, "6А", "2026/2027", false, {}});
        const auto b = journal::AddClass(c, {{}, "6Б", "2026/2027", false, {}});
        journal::AddPupil(c, {{}, a.Id, "Алексеева", "Анна", {}, {}});
        journal::AddPupil(c, {{}, b.Id, "Борисов", "Борис", {}, {}});
        auto boris = MakeAttempt("Борисов Борис", TodayAt(9), 10, 300);
        boris.ClassName = "6Б";
        f.Add(boris);
        teacher::JournalWindow window({f.db, {}});
        auto* view = window.Classes();
        QTRY_VERIFY_WITH_TIMEOUT(!view->Reading(), 30000);
        auto* classes = view->findChild<QComboBox*>("classChoice");
        auto* table = view->findChild<QTableWidget*>("classTable");
        QAction* save = MenuAction(window, "Сохранить &класс в PDF…");
        QSignalSpy shown(view, &teacher::ClassView::Shown);

        classes->setCurrentIndex(classes->findData(a.Id));
        classes->setCurrentIndex(classes->findData(b.Id));
        // Nothing read yet has been shown, only emptied: the lines come in the event loop.
        QVERIFY(view->Reading());
        const auto emptied = shown.count();
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(view->SummaryText().startsWith("Читаю"));
        QVERIFY(!view->Sheet().has_value());
        QVERIFY(!save->isEnabled());
        const QString csv = f.dir.filePath("class.csv");
        QVERIFY(!view->ExportCsv(csv));
        QVERIFY(!QFile::exists(csv));

        QVERIFY(shown.wait(30000));
        QCOMPARE(shown.count(), emptied + 1);
        QVERIFY(!view->Reading());
        QVERIFY2(table->rowCount() == 1, qPrintable(view->SummaryText()));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Борисов Борис"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("5"));
        QCOMPARE(view->Sheet()->ClassName, QStringLiteral("6Б (2026/2027)"));
        QVERIFY(save->isEnabled());
    }

    // The class as PDF, from the «Файл» menu's job: every page has the title with the class, the
    // test's name, the days and the choice, the mean and the counts, and «Страница N из M»; every
    // pupil's line is there, the retaken one with its best mark and time.
    void savesTheClassAsPdf()
    {
        LargeClass k(70);
        QAction* save = MenuAction(*k.window, "Сохранить &класс в PDF…");
        QVERIFY(save != nullptr);
        QVERIFY(save->isEnabled());
        const QString path = k.f.dir.filePath("класс.pdf");
        const JobEnd end = WaitFor(k.window->Exports()->StartClassPdf(path));
        QVERIFY2(end.Ok, qPrintable(end.Message));
        QVERIFY(k.window->StatusText().contains(path));
        const QStringList pages = PdfText(path).split(u'\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 2, qPrintable(pages.join("\n---\n")));
        const int count = static_cast<int>(pages.size());
        QStringList lines;
        for (int n = 1; n <= count; ++n) {
            const QString& page = pages.at(n - 1);
            QVERIFY2(page.contains(QStringLiteral("Страница %1 из %2").arg(n).arg(count)),
                     qPrintable(page));
            QVERIFY(page.contains("Результаты класса 6В (2026/2027)"));
            QVERIFY(page.contains("Тест: умножение и деление обыкновенных дробей (6 класс)"));
            QVERIFY(page.contains(QStringLiteral("За %1; оценка за: лучшая попытка")
                                      .arg(QDate::currentDate().toString("dd.MM.yyyy"))));
            QVERIFY(page.contains(
                "Средняя отметка: 5,0. Пятёрок: 1, четвёрок: 0, троек: 0, двоек: 0."));
            for (const QString& line : page.split('\n')) {
                if (line.trimmed().startsWith("Ученик0")) {
                    lines << line.simplified();
                }
            }
        }
        QCOMPARE(lines.size(), 70);
        QCOMPARE(lines.first(), QStringLiteral("Ученик001 Имя 5 4:10 2"));
        QCOMPARE(lines.last(), QStringLiteral("Ученик070 Имя не проходил(а) 0"));
    }

    // «Отмена» while the class is painted: the earlier file of that name stays as it was and
    // nothing is left beside it. The job is stopped from its own first line's progress, so it
    // cannot have finished before.
    void cancelledClassPdfLeavesNoFile()
    {
        LargeClass k(120);
        const QString path = k.f.dir.filePath("класс.pdf");
        {
            QFile before(path);
            QVERIFY(before.open(QIODevice::WriteOnly));
            before.write("earlier");
        }
        teacher::ExportJob* job = k.window->Exports()->StartClassPdf(path);
        QVERIFY(job != nullptr);
        long long cancelledAt = -1;
        connect(
            job, &teacher::ExportJob::Progress, job,
            [&](long long done, long long total) {
                if (cancelledAt < 0 && done < total) {
                    cancelledAt = done;
                    job->Cancel();
                }
            },
            Qt::DirectConnection);
        const JobEnd end = WaitFor(job);
        QVERIFY(cancelledAt > 0);
        QVERIFY(!end.Ok);
        QVERIFY2(end.Message.contains("Отменено"), qPrintable(end.Message));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(k.f.dir.path()).entryList({"*.pdf*"}, QDir::Files), QStringList{"класс.pdf"});
    }

    // The class commands wait for a class: a journal whose roster has no class yet leaves them
    // off, and the job is not started.
    void classCommandsNeedAClass()
    {
        JournalFile f;
        QVERIFY(f.db);
        f.Add(MakeAttempt("Аня", TodayAt(9), 10));
        teacher::JournalWindow window({f.db, {}});
        QVERIFY(window.Classes() != nullptr);
        for (const char* text : {"Сохранить &класс в PDF…", "Печать к&ласса…"}) {
            QAction* action = MenuAction(window, text);
            QVERIFY(action != nullptr);
            QVERIFY(!action->isEnabled());
        }
        QVERIFY(window.Exports()->StartClassPdf(f.dir.filePath("k.pdf")) == nullptr);
        QVERIFY(!QFile::exists(f.dir.filePath("k.pdf")));
        QVERIFY(window.StatusText().contains("Выберите класс"));
    }
};

QTEST_MAIN(TestClassView)
#include "tst_class_view.moc"
