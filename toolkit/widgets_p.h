// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the controls' handles. Only the toolkit includes this file.
#pragma once

#include "toolkit/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

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

QRect PixelRect(const Geometry& twips);
QFont FontFor(const FontSpec& properties);

} // namespace toolkit::detail
