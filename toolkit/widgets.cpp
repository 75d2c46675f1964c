// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the controls' handles: how a label, a text box, a button, a line and a
// circle look and take keys. The handles in controls.cpp are the only callers.
#include "toolkit/program.h"
#include "toolkit/twips.h"
#include "toolkit/widgets_p.h"

#include "toolkit/accessible_p.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <algorithm>
#include <limits>

namespace toolkit {

namespace detail {

QRect PixelRect(const Geometry& g)
{
    return QRect(TwipsToPixels(g.Left), TwipsToPixels(g.Top), TwipsToPixels(g.Width),
                 TwipsToPixels(g.Height));
}

LabelWidget::LabelWidget(const LabelSpec& properties, QWidget* parent) : QLabel(parent)
{
    setObjectName(QString::fromStdString(properties.Name));
    setTextFormat(Qt::PlainText);
    setText(QString::fromStdString(properties.Caption));
    setWordWrap(true);
    setAutoFillBackground(true);
    setFont(FontFor(properties.Font));
    const Qt::Alignment horizontal =
        properties.Align == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
    if (properties.Frame == Border::Single) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    }
    setGeometry(PixelRect(properties.At));
    InstallAccessibility();
}

TextBoxWidget::TextBoxWidget(QWidget* parent) : QLineEdit(parent)
{
    // The boxes have no length limit of their own.
    setMaxLength(std::numeric_limits<int>::max());
}

namespace {

// Keys that move the caret or edit without typing a character (Delete, arrows, Ctrl+V) carry
// control codes or nothing in their text; only printable characters, backspace and Enter count
// as typed characters.
bool TypesCharacters(const QString& text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (!c.isPrint() && c != u'\b' && c != u'\r' && c != u'\n') {
            return false;
        }
    }
    return true;
}

} // namespace

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    if (!keyPressHandler || !TypesCharacters(event->text())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString typed;
    bool unchanged = true;
    for (const QChar c : event->text()) {
        Int16 code = static_cast<Int16>(c.unicode());
        RunEventHandler([&] { keyPressHandler(code); });
        unchanged = unchanged && code == static_cast<Int16>(c.unicode());
        if (code != 0) {
            typed += QChar(static_cast<char16_t>(code));
        }
    }
    if (unchanged) {
        QLineEdit::keyPressEvent(event);
    } else if (!typed.isEmpty()) {
        insert(typed);
    }
    event->accept();
}

CommandButtonWidget::CommandButtonWidget(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{}

void CommandButtonWidget::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        // At once, as Space does: a click still pending after the button has hidden itself
        // would run its command a second time.
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

LineWidget::LineWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::setEnds(int newX1, int newY1, int newX2, int newY2)
{
    x1 = newX1;
    y1 = newY1;
    x2 = newX2;
    y2 = newY2;
    const int left = std::min(TwipsToPixels(x1), TwipsToPixels(x2));
    const int top = std::min(TwipsToPixels(y1), TwipsToPixels(y2));
    const int right = std::max(TwipsToPixels(x1), TwipsToPixels(x2));
    const int bottom = std::max(TwipsToPixels(y1), TwipsToPixels(y2));
    setGeometry(left, top, std::max(right - left, 1), std::max(bottom - top, 1));
    update();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    const QPoint origin = pos();
    const QPoint from(TwipsToPixels(x1), TwipsToPixels(y1));
    const QPoint to(TwipsToPixels(x2), TwipsToPixels(y2));
    if (from.y() == to.y()) {
        // A horizontal bar fills its one-pixel-high widget.
        painter.fillRect(rect(), Qt::black);
    } else {
        painter.drawLine(from - origin, to - origin);
    }
}

CircleWidget::CircleWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(rect()));
}

FrameWidget::FrameWidget(const QString& caption, QWidget* parent)
    : QGroupBox(parent), caption_(caption)
{
    InstallAccessibility();
}

FrameWidget::~FrameWidget()
{
    clearRows();
}

void FrameWidget::clearRows()
{
    for (const Row& row : rows) {
        if (row.id != 0) {
            QAccessible::deleteAccessibleInterface(row.id);
        }
    }
    rows.clear();
    presentsRows = false;
}

void FrameWidget::paintEvent(QPaintEvent*)
{
    // What QGroupBox paints for a title of `caption_`.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.text = caption_;
    if (!caption_.isEmpty()) {
        option.subControls |= QStyle::SC_GroupBoxLabel;
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace detail

} // namespace toolkit
