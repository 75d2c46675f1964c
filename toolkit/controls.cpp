// SPDX-License-Identifier: GPL-3.0-or-later
// The handles of the controls: their properties in twips and the program's own terms, read and
// written on the Qt widgets of widgets.cpp.
#include "toolkit/controls.h"

#include "toolkit/accessible_p.h"
#include "toolkit/program.h"
#include "toolkit/twips.h"
#include "toolkit/widgets_p.h"

namespace toolkit {

using core::BlueOf;
using core::GreenOf;
using core::RedOf;
using core::Rgb;
using namespace detail;

namespace {

template <class W> W* As(QWidget* widget)
{
    return static_cast<W*>(widget);
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

// Control

bool Control::Visible() const
{
    return !widget_->isHidden();
}
void Control::SetVisible(bool visible)
{
    widget_->setVisible(visible);
}
bool Control::Enabled() const
{
    return widget_->isEnabled();
}
namespace {

// Where a disabled control keeps the focus policy it had while enabled.
constexpr const char* kFocusWhenEnabled = "toolkitFocusWhenEnabled";

} // namespace

void Control::SetEnabled(bool enabled)
{
    // Qt keeps reporting a disabled widget focusable, though it never takes the focus.
    if (!enabled && widget_->focusPolicy() != Qt::NoFocus) {
        widget_->setProperty(kFocusWhenEnabled, static_cast<int>(widget_->focusPolicy()));
        widget_->setFocusPolicy(Qt::NoFocus);
    } else if (enabled && widget_->property(kFocusWhenEnabled).isValid()) {
        widget_->setFocusPolicy(
            static_cast<Qt::FocusPolicy>(widget_->property(kFocusWhenEnabled).toInt()));
        widget_->setProperty(kFocusWhenEnabled, QVariant());
    }
    widget_->setEnabled(enabled);
}
int Control::Left() const
{
    return PixelsToTwips(widget_->x());
}
int Control::Top() const
{
    return PixelsToTwips(widget_->y());
}
int Control::Width() const
{
    return PixelsToTwips(widget_->width());
}
int Control::Height() const
{
    return PixelsToTwips(widget_->height());
}
void Control::SetLeft(int twips)
{
    widget_->move(TwipsToPixels(twips), widget_->y());
}
void Control::SetFocus()
{
    widget_->setFocus();
}

void Control::SetAccessibleName(const std::string& name)
{
    widget_->setAccessibleName(Q(name));
}

void Control::SetAccessibleDescription(const std::string& description)
{
    widget_->setAccessibleDescription(Q(description));
}

void SetFocusOrder(const std::vector<Control>& controls)
{
    for (std::size_t i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1].Widget(), controls[i].Widget());
    }
}

// Label

std::string Label::Caption() const
{
    return As<QLabel>(widget_)->text().toStdString();
}
void Label::SetCaption(const std::string& caption)
{
    As<QLabel>(widget_)->setText(Q(caption));
}

Colour Label::ForeColor() const
{
    const QColor c = widget_->palette().color(QPalette::WindowText);
    return Rgb(c.red(), c.green(), c.blue());
}

void Label::SetForeColor(Colour colour)
{
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::WindowText, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    widget_->setPalette(palette);
}

void Label::SetLabelFor(const Control& control)
{
    As<QLabel>(widget_)->setBuddy(control.Widget());
}

// TextBox

std::string TextBox::Text() const
{
    return As<QLineEdit>(widget_)->text().toStdString();
}
void TextBox::SetText(const std::string& text)
{
    As<QLineEdit>(widget_)->setText(Q(text));
}
void TextBox::OnChange(std::function<void()> handler)
{
    auto* box = As<QLineEdit>(widget_);
    QObject::connect(box, &QLineEdit::textEdited, box,
                     [handler = std::move(handler)] { RunEventHandler(handler); });
}

void TextBox::OnKeyPress(KeyPressHandler handler)
{
    As<TextBoxWidget>(widget_)->keyPressHandler = std::move(handler);
}

// CommandButton

void CommandButton::OnClick(std::function<void()> handler)
{
    // A hidden button cannot be pressed, whatever still reaches it.
    auto* button = As<QPushButton>(widget_);
    QObject::connect(button, &QPushButton::clicked, button, [button, handler = std::move(handler)] {
        if (!button->isHidden()) {
            RunEventHandler(handler);
        }
    });
}

// Line

int Line::X1() const
{
    return As<LineWidget>(widget_)->x1;
}
int Line::Y1() const
{
    return As<LineWidget>(widget_)->y1;
}
int Line::X2() const
{
    return As<LineWidget>(widget_)->x2;
}
int Line::Y2() const
{
    return As<LineWidget>(widget_)->y2;
}

void Line::SetX1(int twips)
{
    auto* line = As<LineWidget>(widget_);
    line->setEnds(twips, line->y1, line->x2, line->y2);
}
void Line::SetY1(int twips)
{
    auto* line = As<LineWidget>(widget_);
    line->setEnds(line->x1, twips, line->x2, line->y2);
}
void Line::SetX2(int twips)
{
    auto* line = As<LineWidget>(widget_);
    line->setEnds(line->x1, line->y1, twips, line->y2);
}
void Line::SetY2(int twips)
{
    auto* line = As<LineWidget>(widget_);
    line->setEnds(line->x1, line->y1, line->x2, twips);
}

void Line::ZOrder(int position)
{
    if (position == 0) {
        BringToFrontOfGraphics(widget_);
    } else {
        widget_->lower();
    }
}

// Container

namespace {

// Every control's visibility is set explicitly, so that its own flag is what Visible() reads
// even before its window is first shown.
template <class W> W* Placed(W* widget, const std::string& name, const Geometry& at, bool visible)
{
    widget->setObjectName(Q(name));
    widget->setGeometry(PixelRect(at));
    widget->setVisible(visible);
    return widget;
}

} // namespace

Label Container::AddLabel(const LabelSpec& properties)
{
    auto* label = new LabelWidget(properties, widget_);
    label->setVisible(properties.Visible);
    BringToFrontOfGraphics(label);
    return Label(label);
}

TextBox Container::AddTextBox(const ControlSpec& properties)
{
    return TextBox(
        Placed(new TextBoxWidget(widget_), properties.Name, properties.At, properties.Visible));
}

CommandButton Container::AddCommandButton(const ControlSpec& properties)
{
    return CommandButton(Placed(new CommandButtonWidget(Q(properties.Caption), widget_),
                                properties.Name, properties.At, properties.Visible));
}

Frame Container::AddFrame(const ControlSpec& properties)
{
    return Frame(Placed(new FrameWidget(Q(properties.Caption), widget_), properties.Name,
                        properties.At, properties.Visible));
}

Line Container::AddLine(const std::string& name, bool visible)
{
    auto* line = new LineWidget(widget_);
    line->setObjectName(Q(name));
    line->setEnds(0, 0, 0, 0);
    line->setVisible(visible);
    BringToFrontOfGraphics(line);
    return Line(line);
}

Shape Container::AddCircle(const ControlSpec& properties)
{
    auto* circle =
        Placed(new CircleWidget(widget_), properties.Name, properties.At, properties.Visible);
    BringToFrontOfGraphics(circle);
    return Shape(circle);
}

// Frame

void Frame::PresentRows(const std::vector<AccessibleRow>& rows)
{
    auto* frame = As<FrameWidget>(widget_);
    frame->clearRows();
    for (const AccessibleRow& row : rows) {
        FrameWidget::Row presented;
        for (const Control& part : row.Parts) {
            presented.parts.emplace_back(part.Widget());
        }
        presented.partsAreChildren = row.PartsAreChildren;
        frame->rows.push_back(std::move(presented));
    }
    frame->presentsRows = true;
    QAccessibleEvent changed(frame, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&changed);
}

void Frame::SetRowText(int row, const std::string& name, const std::string& description)
{
    auto* frame = As<FrameWidget>(widget_);
    if (row < 0 || row >= static_cast<int>(frame->rows.size())) {
        throw ControlError("Нет такой строки в рамке: " + std::to_string(row));
    }
    FrameWidget::Row& presented = frame->rows[static_cast<std::size_t>(row)];
    const QString newName = Q(name);
    const QString newDescription = Q(description);
    const bool nameChanged = presented.name != newName;
    const bool descriptionChanged = presented.description != newDescription;
    presented.name = newName;
    presented.description = newDescription;
    if (presented.id == 0) {
        return; // nobody has met the row yet
    }
    QAccessibleInterface* face = RowInterfaceOf(frame, static_cast<std::size_t>(row));
    if (nameChanged) {
        QAccessibleEvent event(face, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (descriptionChanged) {
        QAccessibleEvent event(face, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace toolkit
