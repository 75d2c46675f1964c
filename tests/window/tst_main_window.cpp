// SPDX-License-Identifier: GPL-3.0-or-later
// The window as it opens, and fractions written into its label groups, on the real widgets.
#include "tests/support/fraction_in_tables.h"
#include "tests/support/window_fixture.h"
#include "window/fraction_display.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>

#include <QLabel>

using engine::Fraction;
using window::LabelGroup;

Q_DECLARE_METATYPE(window::LabelGroup)

namespace {

// Where a control lies among its siblings, counted from the bottom.
int StackIndex(const QWidget* control)
{
    return int(control->parentWidget()->children().indexOf(control));
}

QRect TwipRect(QWidget* widget)
{
    const QRect g = widget->geometry();
    return QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    QWidget* control(const QString& name)
    {
        auto* widget = f->form->Controls().Window->Widget()->findChild<QWidget*>(name);
        if (!widget) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }

private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void window()
    {
        QMainWindow* form = f->w().Window->Widget();
        QCOMPARE(form->windowTitle(),
                 "Тест для 6 класса на тему \"Умноженния и деление обыкновенных дробей\"");
        QCOMPARE(form->centralWidget()->size() * 15, QSize(7830, 9435));
        QVERIFY(form->menuBar()->isVisible());
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!form->windowIcon().pixmap(32).isNull());

        // The instructions as the program words them, with its deliberate "расчитано".
        const QString instructions = qobject_cast<QLabel*>(control("Label4"))->text();
        QVERIFY(instructions.startsWith("Всего заданий 10, каждое представляет собой умножение"));
        QVERIFY(instructions.contains("Задание расчитано на 10 минут."));
        QVERIFY(instructions.endsWith("нажмите кнопку \"Начать тест\"."));
    }

    // The classic light-grey look whatever the desktop's theme, and Qt's own texts in Russian.
    void lookAndLanguage()
    {
        QCOMPARE(QApplication::style()->name(), "windows");
        const QPalette palette = QApplication::palette();
        QCOMPARE(palette.color(QPalette::Button), QColor(212, 208, 200));
        QCOMPARE(palette.color(QPalette::Window), QColor(212, 208, 200));
        QCOMPARE(palette.color(QPalette::ButtonText), QColor(Qt::black));
        QCOMPARE(palette.color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), "&Отменить действие");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label4") << "Label4" << QRect(240, 480, 7095, 1095) << true << "";
        QTest::newRow("Label1") << "Label1" << QRect(240, 1680, 1575, 375) << false
                                << "Осталось времени";
        QTest::newRow("TL") << "TL" << QRect(1800, 1680, 1215, 375) << false << "00:00:00";
        QTest::newRow("Command1") << "Command1" << QRect(2760, 1800, 1455, 375) << true
                                  << "Начать тест";
        QTest::newRow("Command2") << "Command2" << QRect(6600, 1800, 1095, 255) << false
                                  << "Готово!";
        QTest::newRow("Frame1") << "Frame1" << QRect(240, 2160, 6255, 6375) << false << "Задания";
        QTest::newRow("Frame2") << "Frame2" << QRect(6600, 2160, 1095, 6375) << false << "Ответы";
        QTest::newRow("Label5") << "Label5" << QRect(240, 8640, 1815, 255) << false
                                << "Правильных ответов";
        QTest::newRow("Label6") << "Label6" << QRect(2160, 8640, 1815, 255) << false
                                << "Неправильных ответов";
        QTest::newRow("RA") << "RA" << QRect(240, 9000, 1695, 255) << true << "";
        QTest::newRow("NR") << "NR" << QRect(2160, 9000, 1815, 255) << true << "";
        QTest::newRow("Mrk") << "Mrk" << QRect(6960, 8520, 615, 735) << false << "2";
        QTest::newRow("Aw(0)") << "Aw(0)" << QRect(240, 480, 375, 255) << true << "---";
        QTest::newRow("At(9)") << "At(9)" << QRect(720, 5760, 375, 255) << true << "---";
        QTest::newRow("Az(3)") << "Az(3)" << QRect(720, 2400, 375, 255) << true << "---";
        QTest::newRow("Bw(1)") << "Bw(1)" << QRect(1800, 1080, 375, 255) << true << "---";
        QTest::newRow("Bt(2)") << "Bt(2)" << QRect(2280, 1560, 375, 255) << true << "---";
        QTest::newRow("Bz(4)") << "Bz(4)" << QRect(2280, 3000, 375, 255) << true << "---";
        QTest::newRow("Label3(5)") << "Label3(5)" << QRect(2760, 3480, 255, 255) << true << "=";
        QTest::newRow("Cw(6)") << "Cw(6)" << QRect(3120, 4080, 375, 285) << true << "";
        QTest::newRow("Ct(0) off its rule") << "Ct(0)" << QRect(3600, 330, 375, 285) << true << "";
        QTest::newRow("Ct(1)") << "Ct(1)" << QRect(3600, 960, 375, 285) << true << "";
        QTest::newRow("Cz(9)") << "Cz(9)" << QRect(3600, 6000, 375, 285) << true << "";
        QTest::newRow("Result(7)") << "Result(7)" << QRect(4440, 4680, 1455, 255) << true << "";
        QTest::newRow("Dw(0)") << "Dw(0)" << QRect(120, 480, 375, 255) << true << "---";
        QTest::newRow("Dt(8)") << "Dt(8)" << QRect(600, 5160, 375, 255) << true << "---";
        QTest::newRow("Dz(9)") << "Dz(9)" << QRect(600, 6000, 375, 255) << true << "---";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(bool, shown);
        QFETCH(QString, caption);
        QWidget* widget = control(name);
        QCOMPARE(TwipRect(widget), twips);
        QCOMPARE(!widget->isHidden(), shown);
        QVERIFY(widget->isEnabled());
        if (auto* label = qobject_cast<QLabel*>(widget); label && !caption.isEmpty()) {
            QCOMPARE(label->text(), caption);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(button->text(), caption);
        }
    }

    void fonts()
    {
        QCOMPARE(control("TL")->font().pixelSize(), 16);
        QCOMPARE(QFontInfo(control("TL")->font()).family(), "Liberation Sans");
        const QFont mark = control("Mrk")->font();
        QCOMPARE(mark.pixelSize(), 48);
        QVERIFY(mark.italic());
        QVERIFY(QFontInfo(mark).family().startsWith("Z003"));
        QVERIFY(control("Label3(0)")->font().bold());
        QCOMPARE(control("Label4")->font().pixelSize(), 11);
    }

    void onlyInstructionsAndStartButtonAreSeen()
    {
        QWidget* client = f->w().Window->Widget()->centralWidget();
        QStringList seen;
        for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* label = qobject_cast<QLabel*>(child);
            if (child->isVisible() && !(label && label->text().isEmpty())) {
                seen << child->objectName();
            }
        }
        seen.sort();
        QCOMPARE(seen, (QStringList{"Command1", "Label4"}));
        QCOMPARE(QApplication::focusWidget(), f->w().Command1.Widget());
    }

    void signDots()
    {
        const int expected[] = {1, 2, 2, 1, 2, 2, 2, 1, 1, 2};
        for (int row = 0; row < 10; ++row) {
            int dots = 0;
            for (auto* array : {&f->w().Shape1, &f->w().Shape2}) {
                for (int i = 0; i < array->Count(); ++i) {
                    const auto& dot = (*array)(i);
                    QCOMPARE(dot.Left(), 1440);
                    QCOMPARE(dot.Width(), 75);
                    if (dot.Top() == 480 + 600 * row || dot.Top() == 600 + 600 * row) {
                        ++dots;
                    }
                }
            }
            QCOMPARE(dots, expected[row]);
        }
        QCOMPARE(f->w().Shape1(3).Top(), 600);
        QCOMPARE(f->w().Shape1(2).Top(), 1080);
        QCOMPARE(f->w().Shape2(2).Top(), 1200);
    }

    void focusOrder()
    {
        f->start();
        QStringList expected{"Command1"};
        for (int row = 0; row < 10; ++row) {
            expected << QString("Cw(%1)").arg(row) << QString("Ct(%1)").arg(row)
                     << QString("Cz(%1)").arg(row);
        }
        expected << "Command2";

        QStringList chain;
        QWidget* widget = f->w().Command1.Widget();
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                chain << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != f->w().Command1.Widget());
        chain.removeAll(QString());
        QCOMPARE(chain, expected);

        // Tab really moves along it.
        f->w().Cz(3).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->w().Cw(4).Widget());
        f->w().Cz(9).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->w().Command2.Widget());
    }

    void tabStaysOnStartButton()
    {
        QTest::keyClick(f->w().Command1.Widget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->w().Command1.Widget());
    }

    void barsAfterLoad()
    {
        auto& w = f->w();
        QVERIFY(!w.Line1(0).Visible());
        for (int bar = 1; bar <= 30; ++bar) {
            const toolkit::Label& numerator = bar <= 10   ? w.At(bar - 1)
                                              : bar <= 20 ? w.Bt(bar - 11)
                                                          : w.Dt(bar - 21);
            const toolkit::Line& line = w.Line1(bar);
            QVERIFY(line.Visible());
            QCOMPARE(line.X1(), numerator.Left());
            QCOMPARE(line.X2() - line.X1(), 360);
            QCOMPARE(line.Y1(), numerator.Top() + 210);
            QCOMPARE(line.Y2(), line.Y1());
            QCOMPARE(line.Widget()->parentWidget(), numerator.Widget()->parentWidget());
        }
        QCOMPARE(w.Line1(1).X1(), 720);
        QCOMPARE(w.Line1(1).Y1(), 570);
    }

    // Graphics (labels, dots, bars) lie behind the windowed controls of their container (answer
    // boxes, buttons, frames), whatever order they were made in; a bar brought to the front
    // passes the other graphics only.
    void graphicsLieBehindWindowedControls()
    {
        auto& w = f->w();
        const auto isGraphic = [](const QObject* child) {
            return qobject_cast<const QLabel*>(child) ||
                   (child->isWidgetType() && child->objectName().startsWith("Line1(")) ||
                   child->objectName().startsWith("Shape");
        };
        for (QWidget* container :
             {w.Window->Widget()->centralWidget(), w.Frame1.Widget(), w.Frame2.Widget()}) {
            bool windowedSeen = false;
            for (const QObject* child : container->children()) {
                if (!child->isWidgetType()) {
                    continue;
                }
                QVERIFY2(!(windowedSeen && isGraphic(child)),
                         qPrintable(child->objectName() + " lies in front of a windowed control"));
                windowedSeen = windowedSeen || !isGraphic(child);
            }
        }
        QVERIFY(StackIndex(w.Mrk.Widget()) < StackIndex(w.Frame2.Widget()));

        // The answer key's bars were brought to the front at load: in front of its labels.
        for (int bar = 21; bar <= 30; ++bar) {
            for (const auto* labels : {&w.Dw, &w.Dt, &w.Dz}) {
                for (int row = 0; row < labels->Count(); ++row) {
                    QVERIFY(StackIndex(w.Line1(bar).Widget()) >
                            StackIndex((*labels)(row).Widget()));
                }
            }
        }

        // A bar of the exercises brought to the front: in front of every label and dot, still
        // behind every answer box.
        w.Line1(1).ZOrder(0);
        const int bar = StackIndex(w.Line1(1).Widget());
        for (const QObject* child : w.Frame1.Widget()->children()) {
            if (child == w.Line1(1).Widget() || !child->isWidgetType()) {
                continue;
            }
            const int at = StackIndex(static_cast<const QWidget*>(child));
            QVERIFY2(isGraphic(child) ? at < bar : at > bar, qPrintable(child->objectName()));
        }
    }

    // The mark overlaps the bottom edge of the answers' frame; after a hand-in the frame's edge
    // is drawn whole over it.
    void markLiesBehindTheAnswersFrame()
    {
        MessageBoxCloser boxes;
        f->start();
        f->handIn();
        QCOMPARE(boxes.seen.size(), 1);
        auto& w = f->w();
        QWidget* client = w.Window->Widget()->centralWidget();
        QWidget* frame = w.Frame2.Widget();
        QVERIFY(w.Mrk.Widget()->isVisible() && frame->isVisible());
        const QRect overlap = w.Mrk.Widget()->geometry() & frame->geometry();
        QVERIFY(!overlap.isEmpty());

        QWidget* top = client->childAt(overlap.center());
        QVERIFY(top == frame || frame->isAncestorOf(top));

        // Each row of the overlap looks the same under the mark as beside it, inside the frame.
        const QImage shot = client->grab().toImage();
        const int beside = (frame->geometry().left() + overlap.left()) / 2;
        for (int y = overlap.top(); y <= overlap.bottom(); ++y) {
            for (int x = overlap.left(); x <= overlap.right(); ++x) {
                QCOMPARE(shot.pixelColor(x, y), shot.pixelColor(beside, y));
            }
        }
    }

    void showFraction_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<LabelGroup>("group");
        QTest::addColumn<Fraction>("value");
        QTest::addColumn<QStringList>("captions"); // numerator, denominator, whole
        QTest::addColumn<QList<bool>>("shown");    // numerator, denominator, whole, bar
        QTest::addColumn<int>("wholeLeft");
        QTest::addColumn<Fraction>("normalised");
        QTest::newRow("whole number 2, second operand")
            << 0 << LabelGroup::SecondOperand << Fraction{2, 1, 0} << QStringList{"0", "1", "2"}
            << QList<bool>{false, false, true, false} << 2040 << Fraction{0, 1, 2};
        QTest::newRow("3/4, first operand")
            << 9 << LabelGroup::FirstOperand << Fraction{3, 4, 0} << QStringList{"3", "4", "0"}
            << QList<bool>{true, true, false, true} << 240 << Fraction{3, 4, 0};
        QTest::newRow("21/12 in the answer key")
            << 4 << LabelGroup::AnswerKey << Fraction{21, 12, 0} << QStringList{"3", "4", "1"}
            << QList<bool>{true, true, true, true} << 120 << Fraction{3, 4, 1};
        QTest::newRow("10/10 in the answer key")
            << 7 << LabelGroup::AnswerKey << Fraction{10, 10, 0} << QStringList{"0", "1", "1"}
            << QList<bool>{false, false, true, false} << 480 << Fraction{0, 1, 1};
        QTest::newRow("code 0 is the answer key")
            << 2 << LabelGroup{0} << Fraction{1, 2, 0} << QStringList{"1", "2", "0"}
            << QList<bool>{true, true, false, true} << 120 << Fraction{1, 2, 0};
        QTest::newRow("code 7 is the answer key")
            << 3 << LabelGroup{7} << Fraction{0, 5, 0} << QStringList{"0", "1", "0"}
            << QList<bool>{false, false, false, false} << 480 << Fraction{0, 1, 0};
    }
    void showFraction()
    {
        QFETCH(int, row);
        QFETCH(LabelGroup, group);
        QFETCH(Fraction, value);
        QFETCH(QStringList, captions);
        QFETCH(QList<bool>, shown);
        QFETCH(int, wholeLeft);
        QFETCH(Fraction, normalised);

        auto& w = f->w();
        window::ShowFraction(w, core::Int16(row), value, group);
        QCOMPARE(value, normalised);

        const bool first = group == LabelGroup::FirstOperand;
        const bool second = group == LabelGroup::SecondOperand;
        auto& numerator = first ? w.At(row) : second ? w.Bt(row) : w.Dt(row);
        auto& denominator = first ? w.Az(row) : second ? w.Bz(row) : w.Dz(row);
        auto& whole = first ? w.Aw(row) : second ? w.Bw(row) : w.Dw(row);
        const int bar = row + (first ? 1 : second ? 11 : 21);

        QCOMPARE(Caption(numerator), captions[0]);
        QCOMPARE(Caption(denominator), captions[1]);
        QCOMPARE(Caption(whole), captions[2]);
        QCOMPARE(numerator.Visible(), shown[0]);
        QCOMPARE(denominator.Visible(), shown[1]);
        QCOMPARE(whole.Visible(), shown[2]);
        QCOMPARE(w.Line1(bar).Visible(), shown[3]);
        QCOMPARE(whole.Left(), wholeLeft);
    }

    // A frame keeps its title away from Qt's accessibility but paints it as a group box does.
    void framesLookLikeGroupBoxes_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("exercises") << "Задания";
        QTest::newRow("key") << "Ответы";
        QTest::newRow("no title") << "";
    }
    void framesLookLikeGroupBoxes()
    {
        QFETCH(QString, caption);
        QWidget host;
        host.resize(300, 200);
        const toolkit::Frame frame = toolkit::Container(&host).AddFrame(
            {"Frame", {0, 0, 1500, 1500}, caption.toStdString()});
        QGroupBox groupBox(caption, &host);
        groupBox.setGeometry(frame.Widget()->geometry().translated(150, 0));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const QImage painted = frame.Widget()->grab().toImage();
        QCOMPARE(painted, groupBox.grab().toImage());
        // Not a blank picture: the frame and its title leave their marks.
        QVERIFY(painted.pixelColor(0, painted.height() / 2) != painted.pixelColor(50, 50));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
