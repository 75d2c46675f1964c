// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the controls' handles. Only the toolkit includes this file.
#pragma once

#include "toolkit/controls.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <optional>
#include <vector>

namespace toolkit::detail {

// A label paints its whole rectangle in the face colour and starts its text at the top.
class LabelWidget : public QLabel {
    Q_OBJECT
public:
    LabelWidget(const LabelSpec& properties, QWidget* parent);
};

// With a KeyPress handler, every character typed (by a key, a shortcut's control code or an
// input method's commit) goes through it one at a time; text pasted or dropped does not.
class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBoxWidget(QWidget* parent);
    TextBox::KeyPressHandler keyPressHandler;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // One typed character: its 16-bit code, or nothing for a character outside 16 bits.
    using TypedKey = std::optional<Int16>;
    static QList<TypedKey> KeysOf(const QString& text);
    static QList<TypedKey> KeysOf(const QKeyEvent& event);
    // The keys as the handler leaves them; `unchanged` when it changed and discarded none.
    QString FilterKeys(const QList<TypedKey>& keys, bool& unchanged);
};

// Enter and Space press a focused button at once, once per press of the key however long it is
// held.
class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    static bool PressesButton(const QKeyEvent& event);
    bool IsRepeat(const QKeyEvent& event) const;
    // The key last released on the button and when (0: time unknown).
    int releasedKey_ = 0;
    quint64 releasedAt_ = 0;
};

class LineWidget : public QWidget {
    Q_OBJECT
public:
    explicit LineWidget(QWidget* parent);
    void setEnds(int x1, int y1, int x2, int y2); // twips
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;           // twips

protected:
    void paintEvent(QPaintEvent* event) override;
};

class CircleWidget : public QWidget {
    Q_OBJECT
public:
    explicit CircleWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A frame keeps its title to itself: QGroupBox's own title stays empty, and the frame paints
// its title as QGroupBox would. Qt's accessibility lends a group box's title to every child
// without a name of its own, and marks every child as labelled by it; these frames tell
// assistive technology about their contents themselves (accessible.cpp).
class FrameWidget : public QGroupBox {
    Q_OBJECT
public:
    FrameWidget(const QString& caption, QWidget* parent);
    ~FrameWidget() override;
    const QString& caption() const { return caption_; }

    // One object that assistive technology meets in place of several controls.
    struct Row {
        std::vector<QPointer<QWidget>> parts;
        bool partsAreChildren = true;
        QString name;
        QString description;
        QAccessible::Id id = 0; // registered when first asked for, 0 until then
    };
    std::vector<Row> rows;
    bool presentsRows = false;
    // Forgets the rows, and their accessible objects with them.
    void clearRows();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

// Labels, lines and circles are graphics: they lie in a layer of their own, behind the windowed
// controls (text boxes, buttons, frames) of their container, whatever order they were made in.
// Puts a graphic in front of the other graphics of its container, still behind its windowed
// controls.
void BringToFrontOfGraphics(QWidget* graphic);

QRect PixelRect(const Geometry& twips);
QFont FontFor(const FontSpec& properties);

} // namespace toolkit::detail
