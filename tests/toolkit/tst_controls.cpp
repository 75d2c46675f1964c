// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's controls on real widgets: the codes a text box's KeyPress handler is given on
// every way of typing, which control lies in front of which, and how often a held key presses a
// button.
#include "toolkit/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QTest>

#include <memory>

namespace {

// A key as the platform delivers it.
struct Key {
    int key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, a surrogate pair

// Codes as text: QList<int>'s own comparison hands memcmp a null pointer when both are empty.
QString Codes(const QList<int>& codes)
{
    QStringList numbers;
    for (const int code : codes) {
        numbers << QString::number(code);
    }
    return numbers.join(' ');
}

QStringList ObjectNamesBottomToTop(const QWidget* container)
{
    QStringList names;
    for (const QObject* child : container->children()) {
        if (child->isWidgetType()) {
            names << child->objectName();
        }
    }
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Key)

class ControlsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    toolkit::TextBox box;
    QList<int> codes; // every code the box's handler was called with

    QLineEdit* edit() const { return static_cast<QLineEdit*>(box.Widget()); }

    void sendKey(const Key& k)
    {
        QTest::sendKeyEvent(QTest::Click, edit(), Qt::Key(k.key), k.text, k.modifiers);
    }

    void commit(const QString& preedit, const QString& committed)
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(committed);
        QApplication::sendEvent(edit(), &event);
    }

private slots:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(300, 200);
        box = toolkit::Container(host.get()).AddTextBox({"box", {0, 0, 1500, 300}, ""});
        codes.clear();
        // A handler that records each code, turns "a" into "b" and discards "x".
        box.OnKeyPress([this](core::Int16& code) {
            codes << code;
            if (code == 'a') {
                code = 'b';
            } else if (code == 'x') {
                code = 0;
            }
        });
        host->show();
        box.SetFocus();
        QApplication::clipboard()->setText("Q");
    }
    void cleanup() { host.reset(); }

    void keyCodes_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<QList<int>>("seen");
        QTest::addColumn<QString>("left");
        const auto ctrl = Qt::ControlModifier;
        QTest::newRow("digit") << Key{Qt::Key_5, {}, "5"} << QList<int>{'5'} << "5";
        QTest::newRow("changed") << Key{Qt::Key_A, {}, "a"} << QList<int>{'a'} << "b";
        QTest::newRow("discarded") << Key{Qt::Key_X, {}, "x"} << QList<int>{'x'} << "";
        QTest::newRow("Cyrillic") << Key{Qt::Key_unknown, {}, "ж"} << QList<int>{0x436} << "ж";
        QTest::newRow("two characters in one key")
            << Key{Qt::Key_unknown, {}, "a5"} << QList<int>{'a', '5'} << "b5";
        // Left through, a shortcut does its usual job.
        QTest::newRow("Ctrl+V with its control code")
            << Key{Qt::Key_V, ctrl, "\x16"} << QList<int>{22} << "Q";
        QTest::newRow("Ctrl+V with the plain letter")
            << Key{Qt::Key_V, ctrl, "v"} << QList<int>{22} << "Q";
        QTest::newRow("Ctrl+Shift+Z")
            << Key{Qt::Key_Z, ctrl | Qt::ShiftModifier, "\x1a"} << QList<int>{26} << "";
        QTest::newRow("Ctrl+X is not x") << Key{Qt::Key_X, ctrl, "\x18"} << QList<int>{24} << "";
        QTest::newRow("Ctrl+A is not a") << Key{Qt::Key_A, ctrl, "a"} << QList<int>{1} << "";
        QTest::newRow("Ctrl+C") << Key{Qt::Key_C, ctrl, "\x03"} << QList<int>{3} << "";
        QTest::newRow("Ctrl+Y") << Key{Qt::Key_Y, ctrl, "\x19"} << QList<int>{25} << "";
        QTest::newRow("Ctrl+Z") << Key{Qt::Key_Z, ctrl, "\x1a"} << QList<int>{26} << "";
        QTest::newRow("Escape") << Key{Qt::Key_Escape, {}, "\x1b"} << QList<int>{27} << "";
        QTest::newRow("Backspace") << Key{Qt::Key_Backspace, {}, "\b"} << QList<int>{8} << "";
        // Keys that type nothing.
        QTest::newRow("Left") << Key{Qt::Key_Left, {}, ""} << QList<int>{} << "";
        QTest::newRow("Delete with its code 127")
            << Key{Qt::Key_Delete, {}, "\x7f"} << QList<int>{} << "";
        QTest::newRow("Shift+Insert pastes unfiltered")
            << Key{Qt::Key_Insert, Qt::ShiftModifier, ""} << QList<int>{} << "Q";
        QTest::newRow("Ctrl alone") << Key{Qt::Key_Control, ctrl, ""} << QList<int>{} << "";
        // One key, and no 16-bit code carries it.
        QTest::newRow("emoji") << Key{Qt::Key_unknown, {}, kEmoji} << QList<int>{} << "";
        QTest::newRow("emoji after a digit")
            << Key{Qt::Key_unknown, {}, "7" + kEmoji} << QList<int>{'7'} << "7";
    }
    void keyCodes()
    {
        QFETCH(Key, key);
        sendKey(key);
        QFETCH(QList<int>, seen);
        QCOMPARE(Codes(codes), Codes(seen));
        QTEST(edit()->text(), "left");
    }

    void commitCodes_data()
    {
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QList<int>>("seen");
        QTest::addColumn<QString>("left");
        QTest::newRow("digits") << ""
                                << "57" << QList<int>{'5', '7'} << "57";
        QTest::newRow("changed") << ""
                                 << "a" << QList<int>{'a'} << "b";
        QTest::newRow("one discarded") << ""
                                       << "x7" << QList<int>{'x', '7'} << "7";
        QTest::newRow("composed letter") << ""
                                         << "é" << QList<int>{0xE9} << "é";
        QTest::newRow("emoji between digits") << ""
                                              << "5" + kEmoji + "6" << QList<int>{'5', '6'} << "56";
        QTest::newRow("still composing") << "´"
                                         << "" << QList<int>{} << "";
    }
    void commitCodes()
    {
        QFETCH(QString, preedit);
        QFETCH(QString, committed);
        commit(preedit, committed);
        QFETCH(QList<int>, seen);
        QCOMPARE(Codes(codes), Codes(seen));
        QTEST(edit()->text(), "left");
    }

    // With no handler every character is typed as it comes.
    void boxWithoutHandlerTakesEverything()
    {
        toolkit::TextBox other =
            toolkit::Container(host.get()).AddTextBox({"other", {0, 600, 1500, 300}, ""});
        auto* otherEdit = static_cast<QLineEdit*>(other.Widget());
        other.SetFocus();
        QTest::sendKeyEvent(QTest::Click, otherEdit, Qt::Key_unknown, "x" + kEmoji, Qt::NoModifier);
        QInputMethodEvent event;
        event.setCommitString("a" + kEmoji);
        QApplication::sendEvent(otherEdit, &event);
        QTest::sendKeyEvent(QTest::Click, otherEdit, Qt::Key_V, "\x16", Qt::ControlModifier);
        QCOMPARE(otherEdit->text(), "x" + kEmoji + "a" + kEmoji + "Q");
        QCOMPARE(Codes(codes), "");
    }

    // Controls are made in the listed order ("label a", "box b", ...); "front l" and "back l"
    // give line l the ZOrder 0 or 1. Stacking is read bottom to top.
    void stacking_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stacked");
        QTest::newRow("a label made after a box lies behind it")
            << QStringList{"label a", "box b", "label c"} << QStringList{"a", "c", "b"};
        QTest::newRow("graphics made after windowed controls")
            << QStringList{"button k", "frame f", "circle s", "line l", "label a"}
            << QStringList{"s", "l", "a", "k", "f"};
        QTest::newRow("windowed controls in the order made")
            << QStringList{"box b", "label a", "frame f", "button k"}
            << QStringList{"a", "b", "f", "k"};
        QTest::newRow("a line to the front passes the graphics, not the boxes")
            << QStringList{"label a", "line l", "circle s", "box b", "label c", "front l"}
            << QStringList{"a", "s", "c", "l", "b"};
        QTest::newRow("a line to the front with no windowed control")
            << QStringList{"line l", "label a", "circle s", "front l"}
            << QStringList{"a", "s", "l"};
        QTest::newRow("a line to the back")
            << QStringList{"label a", "box b", "line l", "back l"} << QStringList{"l", "a", "b"};
    }
    void stacking()
    {
        QFETCH(QStringList, steps);
        QWidget container;
        toolkit::Container into(&container);
        QMap<QString, toolkit::Line> lines;
        for (const QString& step : steps) {
            const QString kind = step.section(' ', 0, 0);
            const std::string name = step.section(' ', 1, 1).toStdString();
            const toolkit::Geometry at{0, 0, 300, 300};
            if (kind == "label") {
                into.AddLabel({name, at, name});
            } else if (kind == "box") {
                into.AddTextBox({name, at, ""});
            } else if (kind == "button") {
                into.AddCommandButton({name, at, name});
            } else if (kind == "frame") {
                into.AddFrame({name, at, name});
            } else if (kind == "circle") {
                into.AddCircle({name, at, ""});
            } else if (kind == "line") {
                lines.insert(QString::fromStdString(name), into.AddLine(name, true));
            } else if (kind == "front" || kind == "back") {
                lines[QString::fromStdString(name)].ZOrder(kind == "front" ? 0 : 1);
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        QTEST(ObjectNamesBottomToTop(&container), "stacked");
    }

    // Events sent to a focused button, in order, each at a time in milliseconds (0: unknown):
    // P and R a key's press and release, p and r the same flagged as auto-repeat. While a key is
    // held an X server sends a release and a press at the same moment, flagged or not.
    void heldKeyPressesOnce_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("clicks");
        const Key enter{Qt::Key_Return, {}, "\r"};
        const Key keypadEnter{Qt::Key_Enter, Qt::KeypadModifier, "\r"};
        const Key space{Qt::Key_Space, {}, " "};
        for (const auto& [name, key] :
             {std::pair{"Enter", enter}, std::pair{"keypad Enter", keypadEnter},
              std::pair{"Space", space}}) {
            QTest::addRow("%s pressed", name) << key << "P10 R90" << 1;
            QTest::addRow("%s pressed twice", name) << key << "P10 R90 P200 R290" << 2;
            QTest::addRow("%s pressed twice, times unknown", name) << key << "P0 R0 P0 R0" << 2;
            QTest::addRow("%s held, repeats flagged", name)
                << key << "P10 r500 p500 r540 p540 R600" << 1;
            QTest::addRow("%s held, repeats not flagged", name)
                << key << "P10 R500 P500 R540 P540 R600" << 1;
            // The press went to a message box that closed on it; only the repeats come here.
            QTest::addRow("%s held from elsewhere, flagged", name)
                << key << "r500 p500 r540 p540 R600" << 0;
            QTest::addRow("%s held from elsewhere, not flagged", name)
                << key << "R500 P500 R540 P540 R600" << 0;
        }
    }
    void heldKeyPressesOnce()
    {
        QFETCH(Key, key);
        QFETCH(QString, events);
        toolkit::CommandButton button =
            toolkit::Container(host.get()).AddCommandButton({"button", {0, 600, 1500, 375}, "OK"});
        int clicks = 0;
        button.OnClick([&clicks] { ++clicks; });
        button.SetFocus();
        for (const QString& event : events.split(' ')) {
            const bool press = event.front().toUpper() == u'P';
            QKeyEvent sent(press ? QEvent::KeyPress : QEvent::KeyRelease, key.key, key.modifiers,
                           key.text, event.front().isLower());
            sent.setTimestamp(event.mid(1).toULongLong());
            QApplication::sendEvent(button.Widget(), &sent);
        }
        QTEST(clicks, "clicks");
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
