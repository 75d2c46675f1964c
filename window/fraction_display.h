// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a fraction in a row of labels: a whole-part label beside a numerator label above a
// denominator label, with a fraction bar between them.
//
// Contents: the label groups (LabelGroup, GroupOf), placing the thirty bars at load
// (PlaceFractionBars), writing a fraction into a group (ShowFraction), and reading a row back
// (RowTextsOf).
//
// Not here: judging the row (the engine's answer_check) or what screen readers are told.
#pragma once

#include "engine/answer_check.h"
#include "engine/fraction.h"
#include "engine/task_generator.h"
#include "window/main_window_layout.h"

#include <cstdint>

namespace window {

// The label groups a fraction can be shown in, by the window's own codes: 1 the
// first operand (A), 2 the second operand (B), 3 the answer key (D). Any other code is taken as
// the answer key too.
enum class LabelGroup : std::uint8_t { FirstOperand = 1, SecondOperand = 2, AnswerKey = 3 };

// The group a generated fraction is shown in.
LabelGroup GroupOf(engine::ExercisePart part);

// Shows the thirty fraction bars and puts each one under its numerator label. Run once while
// the window loads.
void PlaceFractionBars(MainWindowLayout& w);

// Brings `f` to normal form in place and writes it into one group of one row. A whole number is
// shown by its whole-part label alone, moved towards the fraction's place, with the bar hidden.
void ShowFraction(MainWindowLayout& w, core::Int16 row, engine::Fraction& f, LabelGroup group);

// A row as the check reads it back: its operands' captions and the pupil's three answer texts.
engine::RowTexts RowTextsOf(const MainWindowLayout& w, int row);

} // namespace window
