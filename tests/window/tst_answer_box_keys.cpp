// SPDX-License-Identifier: GPL-3.0-or-later
// What each way of typing leaves in the answer boxes of the real window: keys, shortcuts,
// input-method commits, pastes and the context menu. Only the denominator boxes filter.
#include "tests/support/window_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>

#include <algorithm>
#include <memory>

namespace {

// One thing the pupil does in a box.
struct Step {
    enum Kind { Key, Commit, MenuItem, SelectAll } kind = Key;
    int key = Qt::Key_unknown; // Key: the key, its modifiers and its text, as the platform
    Qt::KeyboardModifiers modifiers;
    QString text;    // Key: the key's text; Commit: the committed text; MenuItem: its text
    QString preedit; // Commit: the text still being composed
};
using Steps = QList<Step>;

Step Typed(int key, const QString& text, Qt::KeyboardModifiers modifiers = {})
{
    return {Step::Key, key, modifiers, text, {}};
}
Step Committed(const QString& text, const QString& preedit = {})
{
    return {Step::Commit, Qt::Key_unknown, {}, text, preedit};
}
// An item of the box's own context menu, by Qt's untranslated text ("&Paste").
Step FromMenu(const char* item)
{
    return {Step::MenuItem, Qt::Key_unknown, {}, item, {}};
}
// The whole text selected, as with the mouse.
Step SelectAll()
{
    return {Step::SelectAll, Qt::Key_unknown, {}, {}, {}};
}

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600, a surrogate pair
const QString kClipboard = "ab-7";

void Do(QLineEdit* box, const Step& step)
{
    switch (step.kind) {
    case Step::Key:
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(step.key), step.text, step.modifiers);
        break;
    case Step::Commit: {
        QInputMethodEvent event(step.preedit, {});
        event.setCommitString(step.text);
        QApplication::sendEvent(box, &event);
        break;
    }
    case Step::MenuItem: {
        // The menu's own items, as the mouse would choose them; the menu is not opened.
        const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        const QList<QAction*> items = menu->actions();
        const QString text = QCoreApplication::translate("QLineEdit", qPrintable(step.text));
        const auto item = std::find_if(items.begin(), items.end(), [&](const QAction* action) {
            return action->text().section(u'\t', 0, 0) == text;
        });
        QVERIFY2(item != items.end(), qPrintable("no context menu item " + step.text));
        QVERIFY((*item)->isEnabled());
        (*item)->trigger();
        break;
    }
    case Step::SelectAll:
        box->selectAll();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class AnswerBoxKeysTest : public QObject {
    Q_OBJECT

private slots:
    // Each row starts from "12" in a denominator box and in a numerator box of the same row,
    // the caret at the end and "ab-7" on the clipboard.
    void whatEachWayLeaves_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QString>("denominator");
        QTest::addColumn<QString>("numerator");
        const auto ctrl = Qt::ControlModifier;
        QTest::newRow("digit") << Steps{Typed(Qt::Key_5, "5")} << "125"
                               << "125";
        QTest::newRow("letter") << Steps{Typed(Qt::Key_A, "a")} << "12"
                                << "12a";
        QTest::newRow("Cyrillic letter") << Steps{Typed(Qt::Key_unknown, "ж")} << "12"
                                         << "12ж";
        QTest::newRow("Enter") << Steps{Typed(Qt::Key_Return, "\r")} << "12"
                               << "12";

        // Shortcuts carry control codes, which the filter discards.
        QTest::newRow("Ctrl+V") << Steps{Typed(Qt::Key_V, "\x16", ctrl)} << "12"
                                << "12ab-7";
        QTest::newRow("Ctrl+V reported with its letter")
            << Steps{Typed(Qt::Key_V, "v", ctrl)} << "12"
            << "12ab-7";
        QTest::newRow("Ctrl+A, Backspace")
            << Steps{Typed(Qt::Key_A, "\x01", ctrl), Typed(Qt::Key_Backspace, "\b")} << "1"
            << "";
        QTest::newRow("Ctrl+X") << Steps{SelectAll(), Typed(Qt::Key_X, "\x18", ctrl)} << "12"
                                << "";
        QTest::newRow("Ctrl+C, paste from the menu")
            << Steps{SelectAll(), Typed(Qt::Key_C, "\x03", ctrl), Typed(Qt::Key_End, ""),
                     FromMenu("&Paste")}
            << "12ab-7"
            << "1212";
        QTest::newRow("Ctrl+Z") << Steps{Typed(Qt::Key_3, "3"), Typed(Qt::Key_Z, "\x1a", ctrl)}
                                << "123"
                                << "12";
        QTest::newRow("undo from the menu, Ctrl+Y")
            << Steps{Typed(Qt::Key_3, "3"), FromMenu("&Undo"), Typed(Qt::Key_Y, "\x19", ctrl)}
            << "12"
            << "123";

        // Text that is not typed is not filtered.
        QTest::newRow("paste from the menu") << Steps{FromMenu("&Paste")} << "12ab-7"
                                             << "12ab-7";
        QTest::newRow("Shift+Insert")
            << Steps{Typed(Qt::Key_Insert, "", Qt::ShiftModifier)} << "12ab-7"
            << "12ab-7";

        // Keys that edit without typing.
        QTest::newRow("Left, digit")
            << Steps{Typed(Qt::Key_Left, ""), Typed(Qt::Key_9, "9")} << "192"
            << "192";
        QTest::newRow("Home, Delete")
            << Steps{Typed(Qt::Key_Home, ""), Typed(Qt::Key_Delete, "\x7f")} << "2"
            << "2";
        QTest::newRow("Backspace") << Steps{Typed(Qt::Key_Backspace, "\b")} << "1"
                                   << "1";

        // An input method's commit: each character a key of its own.
        QTest::newRow("committed digit") << Steps{Committed("3")} << "123"
                                         << "123";
        QTest::newRow("committed letters and digits") << Steps{Committed("3a4")} << "1234"
                                                      << "123a4";
        QTest::newRow("dead key, then e") << Steps{Committed("", "´"), Committed("é")} << "12"
                                          << "12é";
        QTest::newRow("committed Arabic-Indic three") << Steps{Committed("٣")} << "12"
                                                      << "12٣";

        // A character outside 16 bits is one key.
        QTest::newRow("emoji typed") << Steps{Typed(Qt::Key_unknown, kEmoji)} << "12"
                                     << "12" + kEmoji;
        QTest::newRow("emoji committed between digits")
            << Steps{Committed("5" + kEmoji + "6")} << "1256"
            << "125" + kEmoji + "6";
    }
    void whatEachWayLeaves()
    {
        QFETCH(Steps, steps);
        WindowFixture f;
        f.start();
        for (toolkit::TextBox* box : {&f.w().Cz(4), &f.w().Ct(4)}) {
            auto* edit = static_cast<QLineEdit*>(box->Widget());
            box->SetText("12");
            box->SetFocus();
            QApplication::clipboard()->setText(kClipboard);
            for (const Step& step : steps) {
                Do(edit, step);
                if (QTest::currentTestFailed()) {
                    return;
                }
            }
        }
        QTEST(f.text(f.w().Cz(4)), "denominator");
        QTEST(f.text(f.w().Ct(4)), "numerator");
    }
};

QTEST_MAIN(AnswerBoxKeysTest)
#include "tst_answer_box_keys.moc"
