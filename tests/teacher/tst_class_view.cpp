// SPDX-License-Identifier: GPL-3.0-or-later
// The class view in the teacher's window over a real journal file: a class with a pupil who took
// the test once, one who retook it (the last and the best attempt differ), one who did not, an
// attempt of another class by the same name and one from another day that must not count.
#include "journal_fixture.h"

#include "journal/roster.h"
#include "teacher/attempt_list_model.h"
#include "teacher/class_view.h"
#include "teacher/journal_window.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

class TestClassView : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(TestClassView)
#include "tst_class_view.moc"
