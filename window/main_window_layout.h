// SPDX-License-Identifier: GPL-3.0-or-later
// The one window of the program as the pupil first sees it: every control with its place,
// size, caption, font and initial visibility (BuildMainWindowLayout).
//
// Not here: what the controls do (form1), how fractions are written into them
// (fraction_display), what screen readers are told beyond the boxes' names (accessibility,
// which the builder calls).
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

// The controls go by short names on purpose; the glossary says what each one is.
//
// Glossary
//   Window    the top-level window itself (the form), with its menu bar
//   Label4    the instructions at the top
//   Label1    "Осталось времени": the caption before the time left
//   TL        time left, "00:10:00" down to "00:00:00"
//   Command1  "Начать тест", the start button
//   Command2  "Готово!", the hand-in button
//   Frame1    "Задания": the frame of the ten exercise rows
//   Frame2    "Ответы": the frame of the answer key, shown after a hand-in
//   Label5    "Правильных ответов"      RA   right answers: the count under Label5
//   Label6    "Неправильных ответов"    NR   wrong answers: the count under Label6
//   Mrk       the mark, 2 to 5, drawn large
//   Timer1    the countdown's one-second timer
//   mn        the menu "Меню"; its items sp "Благодарности" (acknowledgements),
//             Autmn "Автор" (author), ExMn "Выход" (exit)
// Row arrays, indexed by the row 0..9. The first letter is the group, the second the part:
//   A  first operand       w  whole part
//   B  second operand      t  numerator (the upper label or box)
//   C  the pupil's boxes   z  denominator (the lower label or box)
//   D  the answer key
//   so At is the first operand's numerator label and Cz the pupil's denominator box.
//   Label3    the "=" of each row          Result   the verdict of each row
//   Shape1, Shape2   the sign dots: one for a multiplication, two for a division
//   Line1     fraction bars: 1-10 under At, 11-20 under Bt, 21-30 under Dt; 0 is never shown
struct MainWindowLayout {
    std::unique_ptr<toolkit::Form> Window;

    Label Label4, Label1, TL;
    CommandButton Command1, Command2;
    Frame Frame1, Frame2;
    Label Label5, Label6, RA, NR, Mrk;
    toolkit::Timer Timer1;
    toolkit::Menu mn;
    toolkit::MenuItem sp, Autmn, ExMn;

    ControlArray<Label> Aw, At, Az, Bw, Bt, Bz, Label3, Result;
    ControlArray<TextBox> Cw, Ct, Cz;
    ControlArray<Shape> Shape1, Shape2;
    ControlArray<Label> Dw, Dt, Dz;
    ControlArray<Line> Line1;
};

// Builds the window with all its controls, hidden until it is shown.
MainWindowLayout BuildMainWindowLayout();

} // namespace window
