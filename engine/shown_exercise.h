// SPDX-License-Identifier: GPL-3.0-or-later
// An exercise as the pupil sees it: both operands and the answer key in the normal form the
// window shows them in (reduced, whole part taken out).
//
// Contents: ShownForm (one fraction's normal form) and ShownExercise (one generated row as
// shown, from its draws).
//
// Not here: drawing the numbers (task_generator.h) and the labels that show them (window).
#pragma once

#include "engine/fraction.h"
#include "engine/operation.h"

namespace engine {

struct ShownRow {
    Operation Op = Operation::Multiply;
    Fraction First;
    Fraction Second;
    Fraction Key;
};

// The normal form the window shows: ReduceFraction, then ExtractWhole.
Fraction ShownForm(Fraction f);

// Row `row` built from its draws (`secondDraw` for row 9 only), each fraction in shown form.
ShownRow ShownExercise(int row, float draw, float secondDraw = 0.0f);

} // namespace engine
