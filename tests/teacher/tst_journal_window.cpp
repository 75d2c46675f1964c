// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window driven through its widgets on a real journal: today's list by default,
// the name filter as it is typed, all days, choosing an attempt, the charts of what is shown,
// deleting with a confirmation that counts (also in a journal opened read-only), and faults
// said in Russian in the status area without the journal being changed.
#include "journal/roster.h"
#include "teacher/attempt_detail_view.h"
#include "teacher/attempt_list_model.h"
#include "teacher/charts_view.h"
#include "teacher/day_presets.h"
#include "teacher/filter_bar.h"
#include "teacher/journal_window.h"
#include "teacher/window_exports.h"
#include "tests/teacher/journal_fixture.h"
#include "tests/teacher/typing.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMultiMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// Everything the journal holds, as text, to show it was not changed.
QString Dump(const journal::Connection& c)
{
    QString text;
    for (const char* sql : {"SELECT * FROM attempt ORDER BY id",
                            "SELECT * FROM attempt_row ORDER BY attempt_id, row_no",
                            "SELECT * FROM schema_version"}) {
        QSqlQuery query(QSqlDatabase::database(c.Name));
        query.exec(QString::fromLatin1(sql));
        while (query.next()) {
            for (int i = 0; i < query.record().count(); ++i) {
                text += query.value(i).toString() + QLatin1Char('|');
            }
            text += QLatin1Char('\n');
        }
    }
    return text;
}

// Answers the next message box with the button whose text is `button`, keeping its text.
class BoxAnswer : public QObject {
public:
    explicit BoxAnswer(QString button) : button_(std::move(button))
    {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            text = box->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == button_) {
                    timer->stop();
                    b->click();
                    return;
                }
            }
        });
        timer->start(20);
    }
    QString text;

private:
    QString button_;
};

QList<qreal> Bars(QChart* chart)
{
    QList<qreal> values;
    const auto* bars = qobject_cast<QBarSeries*>(chart->series().value(0));
    if (bars && !bars->barSets().isEmpty()) {
        for (int i = 0; i < bars->barSets().front()->count(); ++i) {
            values << bars->barSets().front()->at(i);
        }
    }
    return values;
}

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<JournalFile> j;
    std::unique_ptr<teacher::JournalWindow> w;
    QTemporaryDir settingsDir;

    void Open()
    {
        w = std::make_unique<teacher::JournalWindow>(journal::OpenResult{j->db, {}});
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        statusHeight_ = w->findChild<QLabel*>("status")->height();
    }
    int statusHeight_ = 0;
    QTableView* List() const { return w->findChild<QTableView*>("list"); }
    // A preset chosen in the days list by the keyboard, as a teacher would.
    void ChooseDays(teacher::DaysPreset preset)
    {
        auto* days = w->findChild<QComboBox*>("days");
        days->setFocus();
        QTest::keyClick(days, Qt::Key_Home);
        for (int i = 0; i < days->findData(static_cast<int>(preset)); ++i) {
            QTest::keyClick(days, Qt::Key_Down);
        }
        QCOMPARE(days->currentData().toInt(), static_cast<int>(preset));
    }
    // The Delete key in the list, the window active as after a message box closes.
    void PressDeleteInList()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Delete);
    }
    void Click(int row, Qt::KeyboardModifiers keys = {})
    {
        const QRect cell = List()->visualRect(w->Model()->index(row, 0));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, keys, cell.center());
    }

private slots:
    void initTestCase()
    {
        // What the window remembers goes to a folder of the test's own.
        QVERIFY(settingsDir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }
    void init()
    {
        QFile::remove(settingsDir.filePath("fraction-test/fraction-test.ini"));
        j = std::make_unique<JournalFile>();
        QVERIFY2(j->db, qPrintable(j->problem));
    }
    void cleanup()
    {
        w.reset();
        j.reset();
    }

    void opensOnTodayAndFiltersAsYouType()
    {
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        j->Add(MakeAttempt("Иванова Мария", TodayAt(10), 8));
        j->Add(MakeAttempt("Сидоров Иван", TodayAt(11), 9));
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9).addDays(-3), 2));
        const QString before = Dump(*j->db);
        Open();

        // The window says which journal it shows: here a file of the test's own.
        QCOMPARE(w->windowTitle(), "Журнал результатов — journal.sqlite");
        QCOMPARE(w->findChild<QDateEdit*>("from")->date(), QDate::currentDate());
        QCOMPARE(w->findChild<QDateEdit*>("to")->date(), QDate::currentDate());
        QCOMPARE(w->Model()->rowCount(), 3);
        auto* totals = w->findChild<QLabel*>("totals");
        const QString today = QDate::currentDate().toString("dd.MM.yyyy");
        QCOMPARE(totals->text(), "Показано попыток: 3 (за " + today + "); средняя отметка: 4,0");
        QVERIFY(w->StatusText().isEmpty());

        auto* pupil = w->findChild<QLineEdit*>("pupilFilter");
        pupil->setFocus();
        TypeInto(pupil, "иван");
        QTRY_COMPARE(w->Model()->rowCount(), 3); // Сидоров Иван too
        TypeInto(pupil, "ов");
        QTRY_COMPARE(w->Model()->rowCount(), 2);
        QTRY_COMPARE(totals->text(), "Показано попыток: 2 (за " + today +
                                         "; в имени «иванов»); средняя отметка: 4,0");

        ChooseDays(teacher::DaysPreset::AllDays);
        QCOMPARE(w->Model()->rowCount(), 3);
        QCOMPARE(totals->text(),
                 "Показано попыток: 3 (за все дни; в имени «иванов»); средняя отметка: 3,3");
        QVERIFY(!w->findChild<QDateEdit*>("from")->isEnabled());

        TypeInto(pupil, "ич");
        QTRY_COMPARE(w->Model()->rowCount(), 0);
        QVERIFY2(w->StatusText().startsWith("Попыток нет"), qPrintable(w->StatusText()));

        pupil->clear();
        ChooseDays(teacher::DaysPreset::Chosen);
        QVERIFY(w->findChild<QDateEdit*>("from")->isEnabled());
        w->findChild<QDateEdit*>("from")->setDate(QDate::currentDate().addDays(-3));
        w->findChild<QDateEdit*>("to")->setDate(QDate::currentDate().addDays(-1));
        QTRY_COMPARE(w->Model()->rowCount(), 1);
        QCOMPARE(w->Model()->data(w->Model()->index(0, teacher::AttemptListModel::Mark)), "2");

        // Looking changes nothing.
        QCOMPARE(Dump(*j->db), before);
    }

    void sortingByAHeaderClick()
    {
        j->Add(MakeAttempt("Борисов", TodayAt(9), 10));
        j->Add(MakeAttempt("Андреев", TodayAt(10), 8));
        j->Add(MakeAttempt("Васильев", TodayAt(11), 9));
        Open();
        QCOMPARE(w->Model()->data(w->Model()->index(0, 0)), "Васильев");
        auto* header = List()->horizontalHeader();
        const int x = header->sectionViewportPosition(teacher::AttemptListModel::Pupil) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        const QString first = w->Model()->data(w->Model()->index(0, 0)).toString();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        const QString firstReversed = w->Model()->data(w->Model()->index(0, 0)).toString();
        QCOMPARE((QStringList{first, firstReversed}), (QStringList{"Андреев", "Васильев"}));
    }

    void choosingAnAttemptShowsItAndItsPupilsChart()
    {
        const auto older = j->Add(MakeAttempt("Иванов Пётр", TodayAt(8), 8));
        const auto chosen = j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        const auto newest = j->Add(MakeAttempt("Сидоров Иван", TodayAt(10), 2));
        Open();
        // The newest is chosen as the list is filled.
        QVERIFY(w->Detail()->Shown());
        QCOMPARE(w->Detail()->Shown()->Id, newest.Id);
        Click(1);
        QVERIFY(w->Detail()->Shown());
        QCOMPARE(w->Detail()->Shown()->Id, chosen.Id);
        QCOMPARE(w->Detail()->Verdict(9)->text(), "верно");
        // Keyboard: Down moves to the next attempt.
        QTest::keyClick(List(), Qt::Key_Down);
        QCOMPARE(w->Detail()->Shown()->Id, older.Id);
        QCOMPARE(w->Detail()->Verdict(9)->text(), "неверно");

        auto* tabs = w->findChild<QTabWidget*>("tabs");
        tabs->setCurrentIndex(1);
        teacher::ChartsView* charts = w->Charts();
        // Counted off the window's thread: the figures come through the event loop.
        QTRY_COMPARE(Bars(charts->MarksChart()), (QList<qreal>{1, 0, 1, 1}));
        QVERIFY2(charts->PupilText().startsWith("Ученик: Иванов Пётр. Отметки по времени: "),
                 qPrintable(charts->PupilText()));
        QCOMPARE(charts->PupilText().count(" — "), 2);
        // The charts follow the filter.
        TypeInto(w->findChild<QLineEdit*>("pupilFilter"), "Сидоров");
        QTRY_COMPARE(Bars(charts->MarksChart()), (QList<qreal>{0, 0, 0, 1}));
    }

    // A pupil who retook the test counts twice over every attempt and once over each pupil's
    // last or best; the choice, made by the keyboard, is remembered for the next start.
    void chartsFollowWhichAttemptsCountAndRememberIt()
    {
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(8), 10));
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 0));
        j->Add(MakeAttempt("Сидоров Иван", TodayAt(10), 9));
        Open();
        w->findChild<QTabWidget*>("tabs")->setCurrentIndex(1);
        teacher::ChartsView* charts = w->Charts();
        QTRY_COMPARE(Bars(charts->MarksChart()), (QList<qreal>{1, 1, 0, 1}));
        auto* which = charts->findChild<QComboBox*>("chartAttempts");
        which->setFocus();
        QTest::keyClick(which, Qt::Key_Down);
        QCOMPARE(charts->Counted(), teacher::ChartAttempts::LastOfPupil);
        QTRY_COMPARE(Bars(charts->MarksChart()), (QList<qreal>{0, 1, 0, 1}));
        QVERIFY2(charts->RowsText().contains("задание 1 — 50 % (1 из 2)"),
                 qPrintable(charts->RowsText()));
        // The retake's 2 is nobody's best; the choice is kept for the next start.
        QTest::keyClick(which, Qt::Key_Down);
        QCOMPARE(charts->Counted(), teacher::ChartAttempts::BestOfPupil);
        QTRY_COMPARE(Bars(charts->MarksChart()), (QList<qreal>{1, 1, 0, 0}));
        w->close();
        w.reset();

        Open();
        QCOMPARE(w->Charts()->Counted(), teacher::ChartAttempts::BestOfPupil);
        QTRY_COMPARE(Bars(w->Charts()->MarksChart()), (QList<qreal>{1, 1, 0, 0}));
    }

    void deletesOnlyAfterAConfirmationThatCounts()
    {
        const auto a = j->Add(MakeAttempt("Первый", TodayAt(9), 10));
        const auto b = j->Add(MakeAttempt("Второй", TodayAt(10), 8));
        const auto c = j->Add(MakeAttempt("Третий", TodayAt(11), 9));
        Open();
        // Newest first: Третий, Второй, Первый.
        Click(0);
        Click(2, Qt::ControlModifier);
        QCOMPARE(List()->selectionModel()->selectedRows().size(), 2);

        {
            BoxAnswer cancel("Отмена");
            PressDeleteInList();
            QCOMPARE(cancel.text, "Удалить из журнала 2 попытки? Вернуть их будет нельзя.");
        }
        QCOMPARE(w->Model()->rowCount(), 3);
        QVERIFY(journal::LoadAttempt(*j->db, a.Id));

        {
            BoxAnswer confirm("Удалить");
            PressDeleteInList();
            QCOMPARE(confirm.text, "Удалить из журнала 2 попытки? Вернуть их будет нельзя.");
        }
        QCOMPARE(w->Model()->rowCount(), 1);
        QCOMPARE(w->Model()->data(w->Model()->index(0, 0)), "Второй");
        QVERIFY(!journal::LoadAttempt(*j->db, a.Id));
        QVERIFY(!journal::LoadAttempt(*j->db, c.Id));
        QVERIFY(journal::LoadAttempt(*j->db, b.Id));
        QCOMPARE(w->StatusText(), "Удалено из журнала: 2 попытки.");

        // Delete in the name box edits the name; it deletes nothing.
        Click(0);
        auto* pupil = w->findChild<QLineEdit*>("pupilFilter");
        pupil->setFocus();
        TypeInto(pupil, "x");
        QTest::keyClick(pupil, Qt::Key_Home);
        {
            BoxAnswer none("Отмена");
            QTest::keyClick(pupil, Qt::Key_Delete);
            QTest::qWait(100);
            QVERIFY2(none.text.isEmpty(), qPrintable(none.text));
        }
        QCOMPARE(pupil->text(), "");
        QTRY_COMPARE(w->Model()->rowCount(), 1);

        Click(0);
        {
            BoxAnswer confirm("Удалить");
            QCOMPARE(w->DeleteSelected(), 1);
            QCOMPARE(confirm.text, "Удалить из журнала 1 попытку? Вернуть её будет нельзя.");
        }
        QCOMPARE(w->Model()->rowCount(), 0);
        QVERIFY2(w->StatusText().startsWith("Удалено из журнала: 1 попытка."),
                 qPrintable(w->StatusText()));
    }

    // The window reads a journal opened read-only; its delete still works, through a
    // connection made for it alone, and leaves the file's mode as it was.
    void deletesInAJournalOpenedForReading()
    {
        const auto a = j->Add(MakeAttempt("Первый", TodayAt(9), 10));
        const auto b = j->Add(MakeAttempt("Второй", TodayAt(10), 8));
        // An administrator's file shared with a group.
        QVERIFY(QFile::setPermissions(j->Path(), QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::WriteGroup));
        const QFile::Permissions shared = QFile::permissions(j->Path());
        const journal::OpenResult reader = journal::OpenSqliteForReading(j->Path());
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        QVERIFY(journal::IsReadOnly(*reader.Db));
        w = std::make_unique<teacher::JournalWindow>(reader);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(w->Model()->rowCount(), 2);
        Click(1);
        {
            BoxAnswer confirm("Удалить");
            QCOMPARE(w->DeleteSelected(), 1);
        }
        QCOMPARE(w->Model()->rowCount(), 1);
        QVERIFY(!journal::LoadAttempt(*j->db, a.Id));
        QVERIFY(journal::LoadAttempt(*j->db, b.Id));
        QCOMPARE(QFile::permissions(j->Path()), shared);
        w.reset();
        journal::CloseConnection(*reader.Db);
    }

    // A damaged journal the pupil's program set aside is named in the status line, whatever
    // the list shows.
    void saysWhereADamagedJournalWasSetAside_data()
    {
        QTest::addColumn<int>("hour"); // of the one attempt; -1: none
        QTest::newRow("empty journal") << -1;
        QTest::newRow("nothing today") << 25;
        QTest::newRow("an attempt today") << 9;
    }
    void saysWhereADamagedJournalWasSetAside()
    {
        QFETCH(int, hour);
        if (hour == 25) {
            j->Add(MakeAttempt("Вчерашний", TodayAt(9).addDays(-1), 10));
        } else if (hour >= 0) {
            j->Add(MakeAttempt("Сегодняшний", TodayAt(hour), 10));
        }
        const QString aside = j->Path() + ".corrupt-20261210-081500";
        {
            QFile damaged(aside);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("not a database");
        }
        const journal::OpenResult reader = journal::OpenSqliteForReading(j->Path());
        QVERIFY2(reader.Db, qPrintable(reader.Problem));
        w = std::make_unique<teacher::JournalWindow>(reader);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY2(w->StatusText().contains(aside), qPrintable(w->StatusText()));
        w.reset();
        journal::CloseConnection(*reader.Db);
    }

    // The keyboard's way through a list longer than what is fetched for the screen: the newest
    // attempt is chosen as the list fills, Ctrl+End goes to the very last one, Ctrl+Home back,
    // and a sort started from far down shows the top of its new order, chosen.
    void keysGoToTheEndsAndASortShowsItsTop()
    {
        for (int i = 0; i < 300; ++i) {
            j->Add(MakeAttempt(QStringLiteral("Ученик %1").arg(i, 3, 10, QLatin1Char('0')),
                               TodayAt(8).addSecs(10LL * i), 10));
        }
        Open();
        QTableView* list = List();
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w->Detail()->Shown()->Pupil, "Ученик 299");
        QVERIFY(w->Model()->rowCount() < 300);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(w->Model()->rowCount(), 300);
        QCOMPARE(list->currentIndex().row(), 299);
        QCOMPARE(w->Detail()->Shown()->Pupil, "Ученик 000");
        QVERIFY(list->verticalScrollBar()->value() > 0);

        QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(w->Detail()->Shown()->Pupil, "Ученик 299");
        QCOMPARE(list->verticalScrollBar()->value(), 0);

        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        auto* header = list->horizontalHeader();
        const int x = header->sectionViewportPosition(teacher::AttemptListModel::Pupil) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w->Detail()->Shown()->Pupil,
                 w->Model()->data(w->Model()->index(0, teacher::AttemptListModel::Pupil)));
    }

    // Tab from the bar into the list lands on the chosen row, the first one after a new list,
    // the teacher's own after a click; nothing moves it on by one.
    void tabIntoTheListKeepsTheChosenRow()
    {
        j->Add(MakeAttempt("Первый", TodayAt(9), 10));
        j->Add(MakeAttempt("Второй", TodayAt(10), 8));
        j->Add(MakeAttempt("Третий", TodayAt(11), 9));
        Open();
        auto* refresh = w->findChild<QPushButton*>("refresh");
        const auto tabIn = [&] {
            refresh->setFocus();
            QTest::keyClick(refresh, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), List());
        };
        const auto chosenRows = [&] {
            QList<int> rows;
            for (const QModelIndex& index : List()->selectionModel()->selectedRows()) {
                rows << index.row();
            }
            return rows;
        };
        tabIn();
        QCOMPARE(List()->currentIndex().row(), 0);
        QCOMPARE(chosenRows(), QList<int>{0});
        QCOMPARE(w->Detail()->Shown()->Pupil, "Третий");

        Click(2);
        tabIn();
        QCOMPARE(List()->currentIndex().row(), 2);
        QCOMPARE(chosenRows(), QList<int>{2});
        QCOMPARE(w->Detail()->Shown()->Pupil, "Первый");

        // With no row chosen at all (the teacher took the last one out of the selection), Tab
        // chooses the first.
        List()->selectionModel()->clear();
        tabIn();
        QCOMPARE(List()->currentIndex().row(), 0);
        QCOMPARE(chosenRows(), QList<int>{0});
    }

    // Ctrl+E and F5 do their work from any control of the window, the text boxes included.
    void menuKeysWorkWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focus");
        for (const char* name : {"pupilFilter", "from", "days", "ending", "host", "list"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void menuKeysWorkWhereverTheFocusIs()
    {
        QFETCH(QString, focus);
        j->Add(MakeAttempt("Первый", TodayAt(9), 10));
        Open();
        auto* at = w->findChild<QWidget*>(focus);
        QVERIFY(at);
        at->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == at ||
                    at->isAncestorOf(QApplication::focusWidget()));
        QWidget* focused = QApplication::focusWidget();

        QString title;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                dialog->reject();
            }
        });
        closer.start(20);
        QTest::keyClick(focused, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(title, "Сохранить список в CSV");
        closer.stop();

        // A test handed in meanwhile is read with F5.
        j->Add(MakeAttempt("Второй", TodayAt(10), 8));
        QApplication::setActiveWindow(w.get());
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_F5);
        QCOMPARE(w->Model()->rowCount(), 2);
    }

    // The status line says what hides the attempts of an empty list, and only that.
    void emptyListSaysWhatHidesTheRows_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("notSaid");
        QTest::newRow("nothing today, no name")
            << int(teacher::DaysPreset::Today) << "" << QStringList{"«За все дни»"}
            << QStringList{"имя", "имени"};
        QTest::newRow("all days, a name nobody has")
            << int(teacher::DaysPreset::AllDays) << "Кузнецов" << QStringList{"имя"}
            << QStringList{"«За все дни»"};
        QTest::newRow("a name found on other days only")
            << int(teacher::DaysPreset::Yesterday) << "Фёдоров" << QStringList{"«За все дни»"}
            << QStringList{"сотрите имя"};
    }
    void emptyListSaysWhatHidesTheRows()
    {
        QFETCH(int, preset);
        QFETCH(QString, name);
        QFETCH(QStringList, said);
        QFETCH(QStringList, notSaid);
        j->Add(MakeAttempt("Федоров Илья", TodayAt(9).addDays(-5), 10));
        Open();
        ChooseDays(teacher::DaysPreset(preset));
        auto* pupil = w->findChild<QLineEdit*>("pupilFilter");
        pupil->setFocus();
        TypeInto(pupil, name);
        QTRY_COMPARE(w->Model()->Filter().PupilContains, name);
        QCOMPARE(w->Model()->rowCount(), 0);
        const QString text = w->StatusText();
        for (const QString& part : said) {
            QVERIFY2(text.contains(part), qPrintable(text + " / " + part));
        }
        for (const QString& part : notSaid) {
            QVERIFY2(!text.contains(part), qPrintable(text + " / " + part));
        }
        // The message never changes the height of the status line.
        QCOMPARE(w->findChild<QLabel*>("status")->height(), statusHeight_);
    }

    // Size, split, columns, sort, tab and filter come back at the next start.
    void remembersTheTeacher()
    {
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        journal::StoredAttempt other = MakeAttempt("Ивашкина Ольга", TodayAt(10), 9);
        other.Host = "класс-2";
        j->Add(other);
        Open();
        w->resize(700, 520);
        auto* splitter = w->findChild<QSplitter*>("splitter");
        splitter->setSizes({400, 300});
        QHeaderView* header = List()->horizontalHeader();
        using M = teacher::AttemptListModel;
        header->resizeSection(M::Pupil, 234);
        header->moveSection(header->visualIndex(M::Mark), 1);
        header->setSortIndicator(M::Pupil, Qt::AscendingOrder);
        w->findChild<QTabWidget*>("tabs")->setCurrentIndex(1);
        ChooseDays(teacher::DaysPreset::ThisWeek);
        TypeInto(w->findChild<QLineEdit*>("pupilFilter"), "ива");
        w->findChild<QComboBox*>("ending")->setCurrentIndex(1);
        auto* host = w->findChild<QComboBox*>("host");
        host->setCurrentIndex(host->findData(QString("класс-2")));
        QTRY_COMPARE(w->Model()->Filter().PupilContains, "ива");
        const journal::AttemptFilter filter = w->Model()->Filter();
        QCOMPARE(filter.Host, "класс-2");
        QCOMPARE(filter.Ending, engine::AttemptEnd::HandedIn);
        const QList<int> sizes = splitter->sizes();
        const QSize size = w->size();
        w->close();
        w.reset();

        Open();
        QCOMPARE(w->size(), size);
        QCOMPARE(w->findChild<QSplitter*>("splitter")->sizes(), sizes);
        header = List()->horizontalHeader();
        QCOMPARE(header->sectionSize(M::Pupil), 234);
        QCOMPARE(header->visualIndex(M::Mark), 1);
        QCOMPARE(header->sortIndicatorSection(), int(M::Pupil));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(w->Model()->SortColumn(), int(M::Pupil));
        QCOMPARE(w->findChild<QTabWidget*>("tabs")->currentIndex(), 1);
        QCOMPARE(w->Filters()->Preset(), teacher::DaysPreset::ThisWeek);
        QCOMPARE(w->Model()->Filter(), filter);
        QCOMPARE(w->findChild<QLineEdit*>("pupilFilter")->text(), "ива");
        QCOMPARE(w->Model()->rowCount(), 1);
        QCOMPARE(w->Detail()->Shown()->Pupil, "Ивашкина Ольга");
    }

    // A settings file written by hand with nonsense opens the window on today's list.
    void nonsenseInTheSettingsIsLeftAside()
    {
        {
            QSettings file(QSettings::IniFormat, QSettings::UserScope, "fraction-test",
                           "fraction-test");
            file.setValue("teacherWindow/geometry", QByteArray("nonsense"));
            file.setValue("teacherWindow/columns", QByteArray("nonsense"));
            file.setValue("teacherWindow/tab", 7);
            file.setValue("teacherWindow/filter/days", "fortnight");
            file.setValue("teacherWindow/filter/ending", "exploded");
            file.setValue("teacherWindow/charts/attempts", "sometimes");
        }
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        Open();
        QCOMPARE(w->Filters()->Preset(), teacher::DaysPreset::Today);
        QVERIFY(!w->Model()->Filter().Ending);
        QCOMPARE(w->Model()->rowCount(), 1);
        QCOMPARE(w->findChild<QTabWidget*>("tabs")->currentIndex(), 0);
        QCOMPARE(w->Charts()->Counted(), teacher::ChartAttempts::Every);
        QVERIFY(List()->horizontalHeader()->sectionSize(teacher::AttemptListModel::Mark) > 0);
    }

    // Everything the keyboard reaches has a name a screen reader can say (its own or its
    // label's), and the key controls are reached by Tab.
    void everyControlHasASpokenName()
    {
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        Open();
        List()->selectRow(0);
        QStringList reached;
        w->findChild<QDateEdit*>("from")->setFocus();
        for (int step = 0; step < 30; ++step) {
            QWidget* at = QApplication::focusWidget();
            QVERIFY(at);
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(at);
            QVERIFY(spoken);
            QVERIFY2(!spoken->text(QAccessible::Name).trimmed().isEmpty(),
                     at->metaObject()->className());
            reached << at->objectName();
            QTest::keyClick(at, Qt::Key_Tab);
        }
        for (const char* name :
             {"days", "from", "to", "pupilFilter", "ending", "host", "refresh", "list"}) {
            QVERIFY2(reached.contains(QString::fromLatin1(name)), name);
        }
        // Each chart is a stop too, with its text equivalent as its description.
        for (auto* chart : w->Charts()->findChildren<QChartView*>()) {
            QVERIFY(chart->focusPolicy() & Qt::TabFocus);
            QVERIFY(!QAccessible::queryAccessibleInterface(chart)
                         ->text(QAccessible::Description)
                         .isEmpty());
        }
    }

    // Alt and a letter reaches one control: no two mnemonics the window shows at once share a
    // letter, on whichever tab is open (the filter bar, the menu bar and the tabs' titles are
    // always there).
    void mnemonicsShownTogetherAreDistinct()
    {
        const auto k = journal::AddClass(*j->db, {{}, "6А", "2026/2027", false, {}});
        journal::AddPupil(*j->db, {{}, k.Id, "Иванов", "Пётр", {}, {}});
        j->Add(MakeAttempt("Иванов Пётр", TodayAt(9), 10));
        Open();
        auto* tabs = w->findChild<QTabWidget*>();
        QVERIFY(tabs);
        const auto letterOf = [](const QString& text) -> QChar {
            const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
            return at < 0 ? QChar() : text.at(at + 1).toLower();
        };
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            QMultiMap<QChar, QString> shown;
            const auto note = [&](const QString& text) {
                if (const QChar letter = letterOf(text); !letter.isNull()) {
                    shown.insert(letter, text);
                }
            };
            for (int t = 0; t < tabs->count(); ++t) {
                note(tabs->tabText(t));
            }
            for (const QAction* menu : w->menuBar()->actions()) {
                note(menu->text());
            }
            for (const QLabel* label : w->findChildren<QLabel*>()) {
                if (label->isVisible() && label->buddy() != nullptr) {
                    note(label->text());
                }
            }
            for (const QAbstractButton* button : w->findChildren<QAbstractButton*>()) {
                if (button->isVisible()) {
                    note(button->text());
                }
            }
            for (const QChar letter : shown.uniqueKeys()) {
                QVERIFY2(shown.count(letter) == 1,
                         qPrintable(QStringLiteral("«%1» tab: Alt+%2 for %3")
                                        .arg(tabs->tabText(tab), letter,
                                             shown.values(letter).join(QStringLiteral(", ")))));
            }
        }
    }

    void emptyJournalIsSaid()
    {
        Open();
        QCOMPARE(w->Model()->rowCount(), 0);
        QVERIFY2(w->StatusText().startsWith("В журнале пока нет ни одной попытки."),
                 qPrintable(w->StatusText()));
        QCOMPARE(w->DeleteSelected(), 0);
    }

    // A journal that could not be opened: the window opens, says why, offers nothing that
    // needs a journal, and does not crash on the commands.
    void faultsAreSaidInRussian_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no server") << "server"
                                   << "";
        QTest::newRow("newer journal") << "newer"
                                       << "более новой версией";
    }
    void faultsAreSaidInRussian()
    {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        journal::OpenResult opened;
        QString before;
        if (fault == "server") {
            // A port nothing listens on.
            opened = journal::OpenServer("postgresql://fraction_teacher:x@127.0.0.1:9/journal");
        } else {
            QVERIFY(QSqlQuery(QSqlDatabase::database(j->db->Name))
                        .exec("UPDATE schema_version SET version = 999"));
            before = Dump(*j->db);
            opened = journal::OpenSqlite(j->Path());
        }
        QVERIFY(!opened.Db);
        QVERIFY(!opened.Problem.isEmpty());
        QVERIFY(opened.Problem.contains(expected));
        w = std::make_unique<teacher::JournalWindow>(opened);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->StatusText(), opened.Problem);
        QVERIFY(!w->Model());
        QVERIFY(!w->centralWidget()->isEnabled());
        QVERIFY(w->Exports()->StartCsv(QDir::temp().filePath("never.csv")) == nullptr);
        QVERIFY(!QFile::exists(QDir::temp().filePath("never.csv")));
        QCOMPARE(w->DeleteSelected(), 0);
        if (!before.isEmpty()) {
            QCOMPARE(Dump(*j->db), before);
        }
    }
};

QTEST_MAIN(JournalWindowTest)
#include "tst_journal_window.moc"
