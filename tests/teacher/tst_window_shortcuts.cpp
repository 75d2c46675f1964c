// SPDX-License-Identifier: GPL-3.0-or-later
// A window's menu key against a text box that claims it, as a line edit claims Ctrl+E (end of
// line) on an X11 desktop: without the window's priority the box takes it (which shows the box
// claims it here too); with it the command runs and the box is left as it was.
#include "teacher/window_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A line edit that wants Ctrl+E for itself, whatever the desktop's key scheme.
class ClaimingEdit : public QLineEdit {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(e)->keyCombination() ==
                QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
            end(false);
            return;
        }
        QLineEdit::keyPressEvent(e);
    }
};

struct Window {
    QWidget window;
    ClaimingEdit* edit = new ClaimingEdit;
    QAction* save = new QAction(&window);
    explicit Window(bool priority)
    {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(edit);
        save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
        save->setShortcutContext(Qt::WindowShortcut);
        window.addAction(save);
        if (priority) {
            teacher::GiveWindowShortcutsPriority(&window);
        }
        edit->setText("abc");
    }
};

} // namespace

class WindowShortcutsTest : public QObject {
    Q_OBJECT

private slots:
    void windowKeysWin_data()
    {
        QTest::addColumn<bool>("priority");
        QTest::addColumn<int>("saves");
        QTest::addColumn<int>("cursor"); // where the box's cursor is after the key
        QTest::newRow("the box takes Ctrl+E when the window does not claim it") << false << 0 << 3;
        QTest::newRow("the window's Ctrl+E runs from the box") << true << 1 << 0;
    }
    void windowKeysWin()
    {
        QFETCH(bool, priority);
        QFETCH(int, saves);
        QFETCH(int, cursor);
        Window w(priority);
        w.window.show();
        QApplication::setActiveWindow(&w.window);
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.edit->setFocus();
        w.edit->setCursorPosition(0);
        QSignalSpy saved(w.save, &QAction::triggered);
        QTest::keyClick(w.edit, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(saved.size(), saves);
        QCOMPARE(w.edit->cursorPosition(), cursor);
    }
};

QTEST_MAIN(WindowShortcutsTest)
#include "tst_window_shortcuts.moc"
