// SPDX-License-Identifier: GPL-3.0-or-later
// The form a fraction is shown in: reduced, then its whole part extracted.
#pragma once

#include "engine/fraction.h"

inline engine::Fraction Shown(engine::Fraction f)
{
    engine::ReduceFraction(f);
    engine::ExtractWhole(f);
    return f;
}

using engine::FractionText;
