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
        // Left through, a shortcut does what it always does.
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
        QTEST(codes, "seen");
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
        QTEST(codes, "seen");
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
        QVERIFY(codes.isEmpty());
    }

};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
