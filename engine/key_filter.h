// SPDX-License-Identifier: GPL-3.0-or-later
// The key filter of the denominator boxes: digits and backspace only (FilterDigitKey).
//
// Not here: which key paths reach the filter (the toolkit decides what counts as a typed key).
#pragma once

#include "core/int16_arithmetic.h"

namespace engine {

using core::Int16;

inline constexpr Int16 kBackspace = 8;

// The key code itself for the digits 0-9 and backspace, 0 (the key is discarded) for anything
// else.
Int16 FilterDigitKey(Int16 keyCode);

} // namespace engine
