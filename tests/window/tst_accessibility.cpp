// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil who cannot use a mouse, or who uses a screen reader, gets from the window.
#include "tests/support/window_fixture.h"

#include <QAccessible>
#include <QStyle>

namespace {

QString Accessible(toolkit::Control& control, QAccessible::Text text)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control.Widget());
    return face ? face->text(text) : QString("<no interface>");
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;
    std::unique_ptr<MessageBoxCloser> boxes;

private slots:
    void init()
    {
        boxes = std::make_unique<MessageBoxCloser>();
        f = std::make_unique<WindowFixture>(0.0f);
    }
    void cleanup()
    {
        f.reset();
        boxes.reset();
    }

    void answerBoxesAreNamedByRowAndPart()
    {
        auto& w = f->w();
        QCOMPARE(Accessible(w.Cw(0), QAccessible::Name), "Задание 1, целая часть");
        QCOMPARE(Accessible(w.Ct(2), QAccessible::Name), "Задание 3, числитель");
        QCOMPARE(Accessible(w.Cz(9), QAccessible::Name), "Задание 10, знаменатель");
    }

    void rowsReadAsExercises_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("exercise");
        QTest::newRow("proper fractions") << 0 << "1/2 умножить на 2/3";
        QTest::newRow("whole number") << 2 << "4 разделить на 1/2";
        QTest::newRow("mixed numbers") << 6 << "1 1/2 разделить на 1 1/3";
        QTest::newRow("whole divisor") << 5 << "1/3 разделить на 2";
    }
    void rowsReadAsExercises()
    {
        QFETCH(int, row);
        QFETCH(QString, exercise);
        auto& w = f->w();
        f->start();
        for (toolkit::Control c : {toolkit::Control(w.Cw(row)), toolkit::Control(w.Ct(row)),
                                   toolkit::Control(w.Cz(row))}) {
            QCOMPARE(Accessible(c, QAccessible::Description), exercise);
        }
        f->handIn();
        QCOMPARE(Accessible(w.Ct(row), QAccessible::Description), exercise + ". Ответ неверный.");
        QCOMPARE(Accessible(w.Result(row), QAccessible::Description),
                 exercise + ". Ответ неверный.");
    }

    void labelsKeepTheirCaptions()
    {
        auto& w = f->w();
        f->start();
        QCOMPARE(Accessible(w.At(0), QAccessible::Name), "1");
        QCOMPARE(Accessible(w.Az(0), QAccessible::Name), "2");
        f->handIn();
        QCOMPARE(Accessible(w.Result(0), QAccessible::Name), "Ответ неверный.");
        QCOMPARE(Accessible(w.Mrk, QAccessible::Name), "2");
    }

    void signDotsSayTheirOperation()
    {
        auto& w = f->w();
        QCOMPARE(Accessible(w.Shape1(3), QAccessible::Name), "умножить на");
        QCOMPARE(Accessible(w.Shape1(2), QAccessible::Name), "разделить на");
        QCOMPARE(Accessible(w.Shape2(2), QAccessible::Name), "разделить на");
    }

    void messageBoxesCloseFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void messageBoxesCloseFromTheKeyboard()
    {
        QFETCH(int, key);
        boxes->closeKey = Qt::Key(key);
        f->start();
        f->handIn();
        f->w().Autmn.Action()->trigger();
        QCOMPARE(boxes->seen.size(), 2);
        QVERIFY(!boxes->keyDidNotClose);
    }

    void wholeTestFromTheKeyboard()
    {
        auto& w = f->w();
        QCOMPARE(QApplication::focusWidget(), w.Command1.Widget());
        QTest::keyClick(w.Command1.Widget(), Qt::Key_Space);
        QVERIFY(w.Frame1.Visible());
        // The start button hid itself; the focus went on to the first answer box.
        QCOMPARE(QApplication::focusWidget(), w.Cw(0).Widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "3");
        for (int i = 0; i < 28; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), w.Command2.Widget());
        // The keypad's Enter presses it too.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(Caption(w.Result(0)), "Ответ верный.");
    }

    void menuBarOpensFromTheKeyboard()
    {
        QVERIFY(QApplication::style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
