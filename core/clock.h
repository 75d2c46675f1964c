// SPDX-License-Identifier: GPL-3.0-or-later
// The wall clock as the quiz reads it.
#pragma once

namespace core {

// Seconds since local midnight, with their fraction, in single precision.
float SecondsSinceMidnight();

} // namespace core
