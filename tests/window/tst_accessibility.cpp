// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil who cannot use a mouse, or who uses a screen reader, gets from the window.
#include "tests/support/window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QStyle>

#include <functional>

namespace {

QAccessibleInterface* Face(const toolkit::Control& control)
{
    return QAccessible::queryAccessibleInterface(control.Widget());
}

QString Accessible(const toolkit::Control& control, QAccessible::Text text)
{
    QAccessibleInterface* face = Face(control);
    return face ? face->text(text) : QString("<no interface>");
}

// Every object under `face` as a screen reader walks it: depth first, children in order.
QList<QAccessibleInterface*> Walk(QAccessibleInterface* face)
{
    QList<QAccessibleInterface*> met{face};
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (child) {
            met += Walk(child);
        }
    }
    return met;
}

// The objects that `face` is related to by `relation`.
QList<QAccessibleInterface*> Related(QAccessibleInterface* face, QAccessible::Relation relation)
{
    QList<QAccessibleInterface*> targets;
    const auto relations = face->relations(relation);
    for (const auto& [target, kind] : relations) {
        if (kind & relation) {
            targets.append(target);
        }
    }
    return targets;
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
        QTest::newRow("proper fractions") << 0 << "одна вторая умножить на две третьих";
        QTest::newRow("whole number") << 2 << "четыре разделить на одну вторую";
        QTest::newRow("mixed numbers")
            << 6 << "одна целая одна вторая разделить на одну целую одну третью";
        QTest::newRow("whole divisor") << 5 << "одна третья разделить на два";
    }
    void rowsReadAsExercises()
    {
        QFETCH(int, row);
        QFETCH(QString, exercise);
        auto& w = f->w();
        f->start();
        const std::vector<toolkit::Control> rowBoxes{w.Cw(row), w.Ct(row), w.Cz(row)};
        for (const toolkit::Control& c : rowBoxes) {
            QCOMPARE(Accessible(c, QAccessible::Description), exercise);
        }
        // The verdict says nothing until there is one.
        QCOMPARE(Accessible(w.Result(row), QAccessible::Name), "");
        QCOMPARE(Accessible(w.Result(row), QAccessible::Description), "");
        QAccessibleInterface* rowFace = Face(w.Frame1)->child(row);
        QVERIFY(rowFace);
        QCOMPARE(rowFace->text(QAccessible::Name),
                 QString("Задание %1: %2").arg(row + 1).arg(exercise));
        f->handIn();
        for (const toolkit::Control& c : rowBoxes) {
            QCOMPARE(Accessible(c, QAccessible::Description), exercise + ". Ответ неверный.");
        }
        QCOMPARE(Accessible(w.Result(row), QAccessible::Description),
                 exercise + ". Ответ неверный.");
    }

    // Each exercise row is one object, in row order, holding its three boxes and its verdict;
    // its name reads the sign once. The operands, "=", the dots and the bars are not met.
    void exercisesAreMetRowByRow()
    {
        auto& w = f->w();
        f->start();
        QAccessibleInterface* frame = Face(w.Frame1);
        QCOMPARE(frame->text(QAccessible::Name), "Задания");
        QCOMPARE(frame->childCount(), engine::kRowCount);
        for (int row = 0; row < engine::kRowCount; ++row) {
            QAccessibleInterface* rowFace = frame->child(row);
            QVERIFY(rowFace);
            QCOMPARE(rowFace->parent(), frame);
            QCOMPARE(frame->indexOfChild(rowFace), row);
            QVERIFY(!rowFace->state().invisible);
            const QString name = rowFace->text(QAccessible::Name);
            QCOMPARE(name.count(" умножить на ") + name.count(" разделить на "), 1);
            const QList<QWidget*> parts{w.Cw(row).Widget(), w.Ct(row).Widget(), w.Cz(row).Widget(),
                                        w.Result(row).Widget()};
            QCOMPARE(rowFace->childCount(), parts.size());
            for (int i = 0; i < parts.size(); ++i) {
                QCOMPARE(rowFace->child(i)->object(), parts[i]);
                QCOMPARE(rowFace->indexOfChild(rowFace->child(i)), i);
            }
            // The verdict knows its row.
            QCOMPARE(Face(w.Result(row))->parent(), rowFace);
        }
        // Nothing else: every object under the frame is the frame, a row or a row's part.
        QCOMPARE(Walk(frame).size(), 1 + engine::kRowCount * 5);
    }

    // The bars and the dots are drawing: no frame presents them.
    void drawingIsNotPresented()
    {
        auto& w = f->w();
        f->start();
        f->handIn();
        QList<QObject*> drawing;
        for (int i = 0; i < w.Line1.Count(); ++i) {
            drawing.append(w.Line1(i).Widget());
        }
        for (int i = 0; i < w.Shape1.Count(); ++i) {
            drawing.append(w.Shape1(i).Widget());
            drawing.append(w.Shape2(i).Widget());
        }
        QCOMPARE(drawing.size(), 31 + 16);
        const QList<QAccessibleInterface*> met =
            Walk(QAccessible::queryAccessibleInterface(w.Window->Client().Widget()));
        for (QAccessibleInterface* face : met) {
            if (drawing.contains(face->object())) {
                QFAIL(qPrintable(face->object()->objectName() + " is presented"));
            }
        }
    }

    // The key, shown after the hand-in, reads each answer in words after its task.
    void answerKeyReadsInWords_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("answer");
        QTest::newRow("fraction") << 0 << "одна третья";
        QTest::newRow("whole number") << 2 << "восемь";
        QTest::newRow("mixed number") << 6 << "одна целая одна восьмая";
        QTest::newRow("divided by a whole") << 5 << "одна шестая";
    }
    void answerKeyReadsInWords()
    {
        QFETCH(int, row);
        QFETCH(QString, answer);
        auto& w = f->w();
        f->start();
        QAccessibleInterface* key = Face(w.Frame2);
        QCOMPARE(key->text(QAccessible::Name), "Ответы");
        QCOMPARE(key->childCount(), engine::kRowCount);
        QAccessibleInterface* keyRow = key->child(row);
        QVERIFY(keyRow->state().invisible); // the key is hidden during the test
        f->handIn();
        QVERIFY(!keyRow->state().invisible);
        QCOMPARE(keyRow->role(), QAccessible::StaticText);
        QCOMPARE(keyRow->childCount(), 0); // the figures are not read one by one
        const QString said = QString("Задание %1: %2").arg(row + 1).arg(answer);
        QCOMPARE(keyRow->text(QAccessible::Description), said);
        QCOMPARE(keyRow->text(QAccessible::Name), said);
    }

    // No object takes a frame's title for its own name or claims to be labelled by a frame.
    void nothingIsBorrowed()
    {
        auto& w = f->w();
        const auto check = [&](const char* when) {
            const QList<QAccessibleInterface*> met =
                Walk(QAccessible::queryAccessibleInterface(w.Window->Client().Widget()));
            for (QAccessibleInterface* face : met) {
                const bool frame =
                    face->object() == w.Frame1.Widget() || face->object() == w.Frame2.Widget();
                const QString name = face->text(QAccessible::Name);
                QVERIFY2(frame || (name != "Задания" && name != "Ответы"),
                         qPrintable(QString(when) + ": " + face->text(QAccessible::Description)));
                for (QAccessibleInterface* label : Related(face, QAccessible::Label)) {
                    QVERIFY2(label->object() != w.Frame1.Widget() &&
                                 label->object() != w.Frame2.Widget(),
                             qPrintable(QString(when) + ": a frame labels " + name));
                }
            }
            // The boxes are not walked through their frame, so ask them directly.
            for (int row = 0; row < engine::kRowCount; ++row) {
                QVERIFY(Related(Face(w.Ct(row)), QAccessible::Label).isEmpty());
            }
        };
        f->start();
        check("started");
        f->handIn();
        check("handed in");
    }

    // The time and the counts are labelled by the captions above them, both ways; the values
    // keep their own captions as names.
    void valuesAreLabelled_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::newRow("time") << "TL"
                              << "Label1";
        QTest::newRow("right answers") << "RA"
                                       << "Label5";
        QTest::newRow("wrong answers") << "NR"
                                       << "Label6";
    }
    void valuesAreLabelled()
    {
        QFETCH(QString, value);
        QFETCH(QString, label);
        QWidget* client = f->w().Window->Client().Widget();
        auto* valueWidget = client->findChild<QLabel*>(value);
        auto* labelWidget = client->findChild<QLabel*>(label);
        QVERIFY(valueWidget && labelWidget);
        f->start();
        f->handIn();
        QAccessibleInterface* valueFace = QAccessible::queryAccessibleInterface(valueWidget);
        QAccessibleInterface* labelFace = QAccessible::queryAccessibleInterface(labelWidget);
        QCOMPARE(Related(valueFace, QAccessible::Label), {labelFace});
        QCOMPARE(Related(labelFace, QAccessible::Labelled), {valueFace});
        QVERIFY(!valueWidget->text().isEmpty());
        QCOMPARE(valueFace->text(QAccessible::Name), valueWidget->text());
        QCOMPARE(labelFace->text(QAccessible::Name), labelWidget->text());
    }

    void markSaysItIsTheMark()
    {
        auto& w = f->w();
        f->start();
        f->handIn();
        QCOMPARE(Accessible(w.Mrk, QAccessible::Name), "2");
        QCOMPARE(Accessible(w.Mrk, QAccessible::Description), "Оценка");
    }

    // The boxes locked by the check take no focus and do not say they could.
    void lockedBoxesTakeNoFocus()
    {
        auto& w = f->w();
        f->start();
        QVERIFY(Face(w.Cz(4))->state().focusable);
        f->handIn();
        for (int row = 0; row < engine::kRowCount; ++row) {
            for (toolkit::TextBox* box : {&w.Cw(row), &w.Ct(row), &w.Cz(row)}) {
                QVERIFY(!Face(*box)->state().focusable);
                QVERIFY(Face(*box)->state().disabled);
                box->SetFocus();
                QVERIFY(!box->Widget()->hasFocus());
            }
        }
        // Tab from the hand-in button finds no box either.
        QApplication::setActiveWindow(w.Window->Widget());
        w.Command2.SetFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w.Command2.Widget());
        QTest::keyClick(w.Command2.Widget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget());
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    }

    // The message boxes' icon is named for what it says.
    void messageBoxIconIsNamed()
    {
        QStringList icons;
        boxes->whileOpen = [&icons] {
            QAccessibleInterface* box =
                QAccessible::queryAccessibleInterface(QApplication::activeModalWidget());
            for (QAccessibleInterface* face : Walk(box)) {
                if (face->role() == QAccessible::Graphic) {
                    icons.append(face->text(QAccessible::Name));
                }
            }
        };
        f->start();
        f->handIn();
        QCOMPARE(icons, QStringList{"Сведения"});
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
