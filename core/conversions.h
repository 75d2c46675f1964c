// SPDX-License-Identifier: GPL-3.0-or-later
// Text and number conversions shared by the quiz engine and the window.
#pragma once

#include "core/int16_arithmetic.h"

#include <string>
#include <string_view>

namespace core {

// Rounds to the nearest whole number, a half going to the even neighbour, and narrows to
// 16 bits; a value outside -32768..32767 (or not a number at all) throws OverflowError.
Int16 ToInt16(double value);

// Plain decimal text of a 16-bit value: no leading blank, "-" for negatives.
std::string Int16ToText(Int16 value);

// Decimal text of a number with a leading blank before a non-negative value (" 5", "-5").
std::string NumberToText(double value);

// The one-character text (UTF-8) of a character code; 10 is a line feed. The code is taken as
// an unsigned 16-bit character code, so a negative 16-bit key code still names its character.
std::string CharFromCode(Int16 code);

// The leading number of a text: optional blanks, an optional sign, digits, an optional decimal
// point and fraction digits. An empty text, or one that does not begin with a number, gives 0.
// A number too large for a double gives an infinity of its sign.
double LeadingNumber(std::string_view text);

} // namespace core
