// SPDX-License-Identifier: GPL-3.0-or-later
// The controls the window is made of, reached through small handles: labels, text boxes,
// command buttons, frames, lines and shapes, and arrays of them indexed by row.
//
// Positions and sizes are in twips, relative to the control's container (the window's client
// area or a frame). Handles are cheap to copy; the controls themselves belong to their window.
#pragma once

#include "core/colour.h"
#include "core/int16_arithmetic.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class QWidget;

namespace toolkit {

using core::Colour;
using core::Int16;

// A control operation that cannot be carried out, such as an index outside a control array.
class ControlError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

struct Geometry {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct FontSpec {
    std::string Family;
    double PointSize = 8.25;
    bool Bold = false;
    bool Italic = false;
};
// The window font, used by every control that names no other.
FontSpec WindowFont();

enum class Alignment { Left, Centre };
enum class Border { None, Single };

struct LabelSpec {
    std::string Name;
    Geometry At;
    std::string Caption;
    Alignment Align = Alignment::Left;
    Border Frame = Border::None;
    bool Visible = true;
    FontSpec Font = WindowFont();
};

struct ControlSpec {
    std::string Name;
    Geometry At;
    std::string Caption; // buttons and frames
    bool Visible = true;
};

// What every control has.
class Control {
public:
    bool Visible() const; // the control's own flag, whatever its container shows
    void SetVisible(bool visible);
    bool Enabled() const;
    // A disabled control takes no focus and is not reported focusable; enabling it again gives
    // back what focus it took before.
    void SetEnabled(bool enabled);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twips);
    void SetFocus();
    // What assistive technology reads for the control, besides its caption or text.
    void SetAccessibleName(const std::string& name);
    void SetAccessibleDescription(const std::string& description);

    // The widget behind the handle, for tests and accessibility.
    QWidget* Widget() const { return widget_; }

protected:
    explicit Control(QWidget* widget) : widget_(widget) {}
    QWidget* widget_ = nullptr;
};

// Sets the order in which Tab moves the keyboard focus through the given controls.
void SetFocusOrder(const std::vector<Control>& controls);

class Label : public Control {
public:
    explicit Label(QWidget* widget = nullptr) : Control(widget) {}
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    Colour ForeColor() const;
    void SetForeColor(Colour colour);
    // Tells assistive technology that this label says what `control` is: the control is
    // labelled by this label, which is the label for it. The caption stays this label's name.
    void SetLabelFor(const Control& control);
};

class TextBox : public Control {
public:
    // Called for every character the pupil types, with the character's code: a key press, a
    // shortcut's control code (Ctrl+V is 22) and each character an input method commits. Setting
    // the code to 0 discards the key. A character outside 16 bits is one key, discarded without
    // a call: no 16-bit code carries it. Text pasted from the context menu or with Shift+Insert,
    // or dropped, is not typed and is not filtered.
    using KeyPressHandler = std::function<void(Int16& keyCode)>;

    explicit TextBox(QWidget* widget = nullptr) : Control(widget) {}
    std::string Text() const;
    void SetText(const std::string& text);
    void OnKeyPress(KeyPressHandler handler);
    // Called after the pupil has changed the text by any means (typing, pasting, undoing); not
    // when the program sets it.
    void OnChange(std::function<void()> handler);
};

class CommandButton : public Control {
public:
    explicit CommandButton(QWidget* widget = nullptr) : Control(widget) {}
    void OnClick(std::function<void()> handler);
};

class Line : public Control {
public:
    explicit Line(QWidget* widget = nullptr) : Control(widget) {}
    int X1() const;
    int Y1() const;
    int X2() const;
    int Y2() const;
    void SetX1(int twips);
    void SetY1(int twips);
    void SetX2(int twips);
    void SetY2(int twips);
    // Position 0 brings the line in front of the other graphics of its container (labels,
    // lines, shapes), still behind its windowed controls (text boxes, buttons, frames), which
    // always cover the graphics; any other position sends it behind everything.
    void ZOrder(int position = 0);
};

// A solid black circle.
class Shape : public Control {
public:
    explicit Shape(QWidget* widget = nullptr) : Control(widget) {}
};

class Frame;

// A window's client area or a frame: what controls are placed in. A new control lies in front
// of those made before it, except that graphics (labels, lines, shapes) always lie behind the
// windowed controls (text boxes, buttons, frames) of the same container.
class Container {
public:
    explicit Container(QWidget* widget) : widget_(widget) {}

    Label AddLabel(const LabelSpec& properties);
    TextBox AddTextBox(const ControlSpec& properties);
    CommandButton AddCommandButton(const ControlSpec& properties);
    Frame AddFrame(const ControlSpec& properties);
    Line AddLine(const std::string& name, bool visible);
    Shape AddCircle(const ControlSpec& properties);

    QWidget* Widget() const { return widget_; }

private:
    QWidget* widget_;
};

// One object that assistive technology meets in a frame in place of several of its controls.
struct AccessibleRow {
    std::vector<Control> Parts;
    // true: a group whose children are the parts, in this order; false: a label read as one in
    // place of the parts, shown while any of them is.
    bool PartsAreChildren = true;
};

// A frame is a group named by its title. To assistive technology it holds its controls but the
// lines and shapes (drawing, not content), or, once rows are given, the rows only.
class Frame : public Control {
public:
    explicit Frame(QWidget* widget = nullptr) : Control(widget) {}
    Container Contents() const { return Container(widget_); }

    // From now on the frame presents these rows, in this order, and none of its other controls.
    void PresentRows(const std::vector<AccessibleRow>& rows);
    // The name and description of row `row` (an index into the rows given), as read aloud.
    void SetRowText(int row, const std::string& name, const std::string& description);
};

// Like controls under one name, indexed by a 16-bit number.
template <class C> class ControlArray {
public:
    void Add(C control) { controls_.push_back(control); }

    C& operator()(int index)
    {
        if (index < 0 || index >= Count()) {
            throw ControlError("Индекс вне границ массива элементов управления: " +
                               std::to_string(index));
        }
        return controls_[static_cast<std::size_t>(index)];
    }
    const C& operator()(int index) const { return const_cast<ControlArray&>(*this)(index); }
    int Count() const { return static_cast<int>(controls_.size()); }

private:
    std::vector<C> controls_;
};

} // namespace toolkit
