#include "toolkit/controls.h"

#include "toolkit/program.h"
#include "toolkit/twips.h"
#include "toolkit/widgets_p.h"

#include <QKeyEvent>
#include <QPainter>

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

} // namespace detail

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
void Control::SetEnabled(bool enabled)
{
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

// TextBox

std::string TextBox::Text() const
{
    return As<QLineEdit>(widget_)->text().toStdString();
}
void TextBox::SetText(const std::string& text)
{
    As<QLineEdit>(widget_)->setText(Q(text));
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
        widget_->raise();
    } else {
        widget_->lower();
    }
}

// Frame

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
    return Frame(Placed(new QGroupBox(Q(properties.Caption), widget_), properties.Name,
                        properties.At, properties.Visible));
}

Line Container::AddLine(const std::string& name, bool visible)
{
    auto* line = new LineWidget(widget_);
    line->setObjectName(Q(name));
    line->setEnds(0, 0, 0, 0);
    line->setVisible(visible);
    return Line(line);
}

Shape Container::AddCircle(const ControlSpec& properties)
{
    return Shape(
        Placed(new CircleWidget(widget_), properties.Name, properties.At, properties.Visible));
}

} // namespace toolkit
