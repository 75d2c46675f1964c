// The one window of the program, Form1, as the pupil first sees it: every control with its
// place, size, caption, font and initial visibility.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <memory>

namespace window {

using toolkit::CommandButton;
using toolkit::ControlArray;
using toolkit::Frame;
using toolkit::Label;
using toolkit::Line;
using toolkit::Shape;
using toolkit::TextBox;

inline constexpr const char* kTitle =
    "Тест для 6 класса на тему \"Умноженния и деление обыкновенных дробей\"";
inline constexpr int kClientWidth = 7830;
inline constexpr int kClientHeight = 9435;
// Row r of every row array lies this far below row r - 1.
inline constexpr int kRowPitch = 600;
inline constexpr int kBarCount = 31;

struct MainWindowLayout {
    std::unique_ptr<toolkit::Form> Form1;

    Label Label4, Label1, TL;
    CommandButton Command1, Command2;
    Frame Frame1, Frame2;
    Label Label5, Label6, RA, NR, Mrk;
    toolkit::Timer Timer1;
    toolkit::Menu mn;
    toolkit::MenuItem sp, Autmn, ExMn;

    // Exercise rows in Frame1: operands, the "=" signs, the answer boxes and the verdicts.
    ControlArray<Label> Aw, At, Az, Bw, Bt, Bz, Label3, Result;
    ControlArray<TextBox> Cw, Ct, Cz;
    // The sign dots: one for a multiplication, two for a division.
    ControlArray<Shape> Shape1, Shape2;
    // The answer key in Frame2.
    ControlArray<Label> Dw, Dt, Dz;
    // Fraction bars: 1-10 under At, 11-20 under Bt, 21-30 under Dt; 0 is never shown.
    ControlArray<Line> Line1;
};

// Builds the window with all its controls, hidden until it is shown.
MainWindowLayout BuildMainWindowLayout();

} // namespace window
