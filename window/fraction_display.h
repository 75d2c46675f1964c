// Showing a fraction in a row of labels: a whole-part label beside a numerator label above a
// denominator label, with a fraction bar between them.
#pragma once

#include "engine/answer_check.h"
#include "engine/fraction.h"
#include "window/main_window_layout.h"

#include <cstdint>

namespace window {

// Shows the thirty fraction bars and puts each one under its numerator label. Run once while
// the window loads.
void PlaceFractionBars(MainWindowLayout& w);

// Brings `f` to normal form in place and writes it into one group of one row: 1 the first
// operand, 2 the second, any other code the answer key. A whole number is shown by its
// whole-part label alone, moved towards the fraction's place, with the bar hidden.
void ShowFraction(MainWindowLayout& w, toolkit::Int16 row, engine::Fraction& f, std::uint8_t group);

// The nine texts a row shows: its operands' captions and the pupil's three answer texts.
engine::RowTexts RowTextsOf(MainWindowLayout& w, int row);

} // namespace window
