// Writes a fraction record as a pupil reads it: "1 3/4", "3/4", "2", "0".
#pragma once

#include "engine/fraction.h"

#include <string>

inline std::string FractionText(const engine::Fraction& f)
{
    const std::string whole = std::to_string(f.Whole);
    const std::string part = std::to_string(f.Numerator) + "/" + std::to_string(f.Denominator);
    if (f.Numerator == 0) {
        return whole;
    }
    return f.Whole == 0 ? part : whole + " " + part;
}

// The fraction brought to the form it is shown in: reduced, then its whole part extracted.
inline engine::Fraction Shown(engine::Fraction f)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    return f;
}
