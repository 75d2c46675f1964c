// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that asks who takes the test, driven from the keyboard alone: a pupil picked from
// the list (class first, letters narrowing the names), names typed in, the typed form when the
// list could not be read, Esc; the names a screen reader says; and the window that opens it on
// «Начать тест», starting the test only once somebody is chosen.
#include "tests/support/window_fixture.h"
#include "window/pupil_dialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>

namespace {

std::vector<window::RosterClass> TwoClasses()
{
    return {
        {"6А",
         {{"id-ivanov", "Иванов", "Иван"},
          {"id-ivleva", "Ивлева", "Ольга"},
          {"id-petrov", "Петров", "Пётр"}}},
        {"6Б", {{"id-kim", "Ким", "Юна"}}},
    };
}

// Each step: a key name from the table, or text to type as it stands.
void Press(const QString& step)
{
    QWidget* at = QApplication::focusWidget();
    QVERIFY(at != nullptr);
    static const QMap<QString, Qt::Key> keys = {
        {"<Tab>", Qt::Key_Tab},      {"<Down>", Qt::Key_Down},  {"<Up>", Qt::Key_Up},
        {"<Enter>", Qt::Key_Return}, {"<Esc>", Qt::Key_Escape}, {"<Space>", Qt::Key_Space}};
    if (keys.contains(step)) {
        QTest::keyClick(at, keys.value(step));
    } else {
        for (const QChar c : step) {
            const QChar upper = c.toUpper();
            const auto key = upper.unicode() < 0x80 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(c),
                                Qt::NoModifier);
        }
    }
}

using Choice = std::optional<window::PupilChoice>;

} // namespace

Q_DECLARE_METATYPE(Choice)

class PupilDialogTest : public QObject {
    Q_OBJECT

private slots:
    void keyboardAlone_data()
    {
        QTest::addColumn<int>("ask");
        QTest::addColumn<bool>("withClasses");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Choice>("choice");
        const int list = int(window::AskWho::FromList);
        const int typed = int(window::AskWho::Typed);
        QTest::newRow("letters narrow the list, Enter starts")
            << list << true << QStringList{"<Tab>", "ивл", "<Enter>"} << true
            << Choice(window::PupilChoice{"id-ivleva", "Ивлева", "Ольга", "6А"});
        QTest::newRow("arrows from the narrowing field")
            << list << true << QStringList{"<Tab>", "ив", "<Down>", "<Enter>"} << true
            << Choice(window::PupilChoice{"id-ivleva", "Ивлева", "Ольга", "6А"});
        QTest::newRow("another class first, an arrow chooses")
            << list << true << QStringList{"<Down>", "<Tab>", "<Down>", "<Enter>"} << true
            << Choice(window::PupilChoice{"id-kim", "Ким", "Юна", "6Б"});
        // Nobody is chosen until letters or an arrow say who: Enter on the class, or in the
        // empty pupil field, starts no test for the first pupil on the list.
        QTest::newRow("Enter in the class box goes on to the pupil field")
            << list << true << QStringList{"<Enter>", "петр", "<Enter>"} << true
            << Choice(window::PupilChoice{"id-petrov", "Петров", "Пётр", "6А"});
        QTest::newRow("another class, Enter in its box: nobody chosen yet")
            << list << true << QStringList{"<Down>", "<Enter>", "<Enter>"} << false << Choice();
        QTest::newRow("nothing typed: Enter does not start")
            << list << true << QStringList{"<Tab>", "<Enter>"} << false << Choice();
        QTest::newRow("nobody matches: Enter does not start")
            << list << true << QStringList{"<Tab>", "яя", "<Enter>"} << false << Choice();
        QTest::newRow("Esc cancels")
            << list << true << QStringList{"<Tab>", "ив", "<Esc>"} << false << Choice();
        QTest::newRow("typed names")
            << typed << false << QStringList{"Ёлкина ", "<Tab>", "Злата", "<Tab>", "6В", "<Enter>"}
            << true << Choice(window::PupilChoice{"", "Ёлкина", "Злата", "6В"});
        QTest::newRow("typed, no class: Enter does not start")
            << typed << false << QStringList{"Ёлкина", "<Tab>", "Злата", "<Enter>"} << false
            << Choice();
        QTest::newRow("list unreadable: typed instead")
            << list << false << QStringList{"Ким", "<Tab>", "Юна", "<Tab>", "6Б", "<Enter>"} << true
            << Choice(window::PupilChoice{"", "Ким", "Юна", "6Б"});
    }

    void keyboardAlone()
    {
        QFETCH(int, ask);
        QFETCH(bool, withClasses);
        QFETCH(QStringList, keys);
        QFETCH(bool, accepted);
        QFETCH(Choice, choice);
        const auto dialog = window::MakePupilDialog(
            window::AskWho(ask), withClasses ? TwoClasses() : std::vector<window::RosterClass>{});
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        // The first field has the focus when the dialog opens.
        QWidget* first = dialog->findChild<QComboBox*>("classBox");
        if (first == nullptr) {
            first = dialog->findChild<QLineEdit*>("surnameEdit");
        }
        QVERIFY(first != nullptr);
        QTRY_COMPARE(QApplication::focusWidget(), first);
        for (const QString& step : keys) {
            Press(step);
        }
        QCOMPARE(dialog->result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog->isVisible(), !accepted && !keys.contains("<Esc>"));
        if (accepted) {
            QCOMPARE(window::ChoiceIn(*dialog), choice);
        }
        QCOMPARE(dialog->findChild<QLabel*>("listUnavailable") != nullptr,
                 ask == int(window::AskWho::FromList) && !withClasses);
    }

    // Arrows in the name field choose in the list while the focus stays in the field: each
    // pupil so chosen is said as a notification, and a key that changes nothing says nothing.
    void arrowsInTheNameFieldSayWhoIsChosen()
    {
        // Qt raises accessibility events only with a screen reader's bus to hear them: this runs
        // as a11y_pupil_dialog, on the bus with-atspi.sh starts.
        if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen")) {
            QSKIP("needs the accessibility bus: run as a11y_pupil_dialog");
        }
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
        static QStringList said;
        said.clear();
        const QAccessible::UpdateHandler previous =
            QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
                QAccessibleInterface* face = event->accessibleInterface();
                if (event->type() == QAccessible::ObjectShow && face != nullptr &&
                    face->role() == QAccessible::Notification) {
                    said << face->text(QAccessible::Name);
                }
            });
        const auto dialog = window::MakePupilDialog(window::AskWho::FromList, TwoClasses());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        // The keys go to the name field itself (the X server here has no window manager to
        // make the dialog active).
        auto* field = dialog->findChild<QLineEdit*>("pupilFilter");
        QVERIFY(field != nullptr);
        for (const QChar c : QStringLiteral("ив")) {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
            QTest::keyClick(field, key);
        }
        QAccessible::installUpdateHandler(previous);
        // Letters choose Иванов first; the arrows go down to Ивлева, stop at the end, come up.
        QCOMPARE(said, (QStringList{"Ивлева Ольга", "Иванов Иван"}));
    }

    void everyFieldHasASpokenName_data()
    {
        QTest::addColumn<int>("ask");
        QTest::newRow("list") << int(window::AskWho::FromList);
        QTest::newRow("typed") << int(window::AskWho::Typed);
    }

    void everyFieldHasASpokenName()
    {
        QFETCH(int, ask);
        const auto dialog = window::MakePupilDialog(window::AskWho(ask), TwoClasses());
        QVERIFY(!dialog->windowTitle().isEmpty());
        int fields = 0;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                qobject_cast<QListWidget*>(w)) {
                ++fields;
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
                QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
            }
        }
        QCOMPARE(fields, 3);
        // Each visible label names its field and carries a letter for Alt.
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->objectName() != "listUnavailable") {
                QVERIFY2(label->buddy() != nullptr, qPrintable(label->text()));
                QVERIFY(label->text().contains('&'));
            }
        }
    }

    // The window asks on «Начать тест»: the test starts once somebody is chosen and is told
    // who; «Отмена» leaves the window at its start.
    void windowAsksFirst_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled") << true;
    }

    void windowAsksFirst()
    {
        QFETCH(bool, cancel);
        MessageBoxCloser boxes;
        WindowFixture f({0.0f}, window::AskWho::FromList, TwoClasses());
        f.secondsAllowed = 900;
        bool seenDialog = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            poll.stop();
            // The test is not running behind the dialog.
            seenDialog = dialog->objectName() == "pupilDialog" && !f.w().Frame1.Visible();
            dialog->findChild<QLineEdit*>("pupilFilter")->setFocus();
            Press("петр");
            Press(cancel ? "<Esc>" : "<Enter>");
            if (dialog->isVisible()) {
                dialog->reject(); // never left open, whatever went wrong
            }
        });
        poll.start(10);
        f.start();
        QVERIFY(seenDialog);
        if (cancel) {
            QVERIFY(f.choices.empty());
            QVERIFY(!f.w().Frame1.Visible());
            QVERIFY(f.w().Command1.Visible());
            QVERIFY(f.reports.empty());
        } else {
            QCOMPARE(f.choices.size(), 1U);
            QCOMPARE(f.choices.front(),
                     Choice(window::PupilChoice{"id-petrov", "Петров", "Пётр", "6А"}));
            QVERIFY(f.w().Frame1.Visible());
            QCOMPARE(Caption(f.w().TL), "00:15:00");
            QCOMPARE(f.reports.back().SecondsAllowed, 900);
        }
    }
};

QTEST_MAIN(PupilDialogTest)
#include "tst_pupil_dialog.moc"
