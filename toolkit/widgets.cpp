// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the controls' handles: how a label, a text box, a button, a line and a
// circle look and take keys. The handles in controls.cpp are the only callers.
#include "toolkit/program.h"
#include "toolkit/twips.h"
#include "toolkit/widgets_p.h"

#include "toolkit/accessible_p.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include <algorithm>
#include <limits>
#include <optional>

namespace toolkit {

namespace detail {

QRect PixelRect(const Geometry& g)
{
    return QRect(TwipsToPixels(g.Left), TwipsToPixels(g.Top), TwipsToPixels(g.Width),
                 TwipsToPixels(g.Height));
}

namespace {

bool IsGraphic(const QObject* control)
{
    return qobject_cast<const LabelWidget*>(control) || qobject_cast<const LineWidget*>(control) ||
           qobject_cast<const CircleWidget*>(control);
}

} // namespace

void BringToFrontOfGraphics(QWidget* graphic)
{
    // Qt stacks siblings in the order of their parent's list of children, lowest first.
    for (QObject* sibling : graphic->parentWidget()->children()) {
        auto* control = qobject_cast<QWidget*>(sibling);
        if (control && control != graphic && !control->isWindow() && !IsGraphic(control)) {
            graphic->stackUnder(control);
            return;
        }
    }
    graphic->raise();
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

// Ctrl with a letter types that letter's control code (Ctrl+A is 1, Ctrl+V 22, Ctrl+Z 26), as
// the keyboard makes it; some platforms put the plain letter in the key's text instead.
std::optional<Int16> ControlCodeOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const int key = event.key();
    if (held != Qt::ControlModifier || key < Qt::Key_A || key > Qt::Key_Z) {
        return std::nullopt;
    }
    return static_cast<Int16>(key - Qt::Key_A + 1);
}

} // namespace

QList<TextBoxWidget::TypedKey> TextBoxWidget::KeysOf(const QString& text)
{
    QList<TypedKey> keys;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            keys.append(std::nullopt);
            ++i;
        } else {
            keys.append(static_cast<Int16>(c.unicode()));
        }
    }
    return keys;
}

QList<TextBoxWidget::TypedKey> TextBoxWidget::KeysOf(const QKeyEvent& event)
{
    // Delete carries the code 127 in its text on some platforms, yet it edits rather than
    // types; keys that carry no text (arrows, Home, Shift+Insert) type nothing either.
    if (event.key() == Qt::Key_Delete) {
        return {};
    }
    if (const std::optional<Int16> code = ControlCodeOf(event)) {
        return {*code};
    }
    return KeysOf(event.text());
}

QString TextBoxWidget::FilterKeys(const QList<TypedKey>& keys, bool& unchanged)
{
    QString typed;
    unchanged = true;
    for (const TypedKey& key : keys) {
        if (!key) {
            // No 16-bit code can carry it, so no handler could let it through.
            unchanged = false;
            continue;
        }
        Int16 code = *key;
        RunEventHandler([&] { keyPressHandler(code); });
        unchanged = unchanged && code == *key;
        if (code != 0) {
            typed += QChar(static_cast<char16_t>(code));
        }
    }
    return typed;
}

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    const QList<TypedKey> keys = keyPressHandler ? KeysOf(*event) : QList<TypedKey>{};
    if (keys.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    bool unchanged = true;
    const QString typed = FilterKeys(keys, unchanged);
    if (unchanged) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!typed.isEmpty()) {
        insert(typed);
    }
    event->accept();
}

void TextBoxWidget::inputMethodEvent(QInputMethodEvent* event)
{
    // Each committed character is a key of its own; the text being composed is not typed yet.
    if (!keyPressHandler || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    bool unchanged = true;
    const QString typed = FilterKeys(KeysOf(event->commitString()), unchanged);
    if (unchanged) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    kept.setCommitString(typed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&kept);
    event->accept();
}

CommandButtonWidget::CommandButtonWidget(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{}

bool CommandButtonWidget::PressesButton(const QKeyEvent& event)
{
    const bool plain = (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event.key();
    return plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space);
}

bool CommandButtonWidget::IsRepeat(const QKeyEvent& event) const
{
    // An X server repeats a held key as a release and a press at the same moment, and Qt does
    // not always flag that press as a repeat.
    return event.isAutoRepeat() || (event.timestamp() != 0 && event.key() == releasedKey_ &&
                                    event.timestamp() == releasedAt_);
}

void CommandButtonWidget::keyPressEvent(QKeyEvent* event)
{
    if (PressesButton(*event)) {
        // At once: a click still pending after the button has hidden itself would run its
        // command a second time. Once per press: the repeats of a held key (Enter still held
        // after it closed a message box) press nothing.
        if (!IsRepeat(*event)) {
            click();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButtonWidget::keyReleaseEvent(QKeyEvent* event)
{
    releasedKey_ = event->key();
    releasedAt_ = event->timestamp();
    if (PressesButton(*event)) {
        return; // pressed already, when the key went down
    }
    QPushButton::keyReleaseEvent(event);
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
