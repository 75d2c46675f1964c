// SPDX-License-Identifier: GPL-3.0-or-later
// The two operations an exercise row can ask for. The numeric values are the program's own
// operation codes (1 multiplication, 2 division), the ones the journal stores too.
#pragma once

#include <cstdint>

namespace engine {

enum class Operation : std::uint8_t { Multiply = 1, Divide = 2 };

} // namespace engine
