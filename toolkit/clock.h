// The wall clock as the quiz reads it.
#pragma once

namespace toolkit {

// Seconds since local midnight, with their fraction, in single precision.
float SecondsSinceMidnight();

} // namespace toolkit
