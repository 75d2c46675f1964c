// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the controls' handles. Only the toolkit includes this file.
#pragma once

#include "toolkit/controls.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <vector>

namespace toolkit::detail {

// A label paints its whole rectangle in the face colour and starts its text at the top.
class LabelWidget : public QLabel {
    Q_OBJECT
public:
    LabelWidget(const LabelSpec& properties, QWidget* parent);
};

class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBoxWidget(QWidget* parent);
    TextBox::KeyPressHandler keyPressHandler;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Enter presses a focused button as Space does.
class CommandButtonWidget : public QPushButton {
    Q_OBJECT
public:
    CommandButtonWidget(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
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

QRect PixelRect(const Geometry& twips);
QFont FontFor(const FontSpec& properties);

} // namespace toolkit::detail
