// The key filter of the denominator boxes: digits and backspace only.
#pragma once

#include "toolkit/int16_arithmetic.h"

namespace engine {

using toolkit::Int16;

inline constexpr Int16 kBackspace = 8;

// The key code itself for the digits 0-9 and backspace, 0 (the key is discarded) for anything
// else.
Int16 FilterDigitKey(const Int16& keyCode);

} // namespace engine
