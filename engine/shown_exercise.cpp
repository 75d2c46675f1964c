// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/shown_exercise.h"

#include "engine/task_generator.h"

namespace engine {

Fraction ShownForm(Fraction f)
{
    ReduceFraction(f);
    ExtractWhole(f);
    return f;
}

ShownRow ShownExercise(int row, float draw, float secondDraw)
{
    const Exercise e = BuildExercise(row, draw, secondDraw);
    return {e.Op, ShownForm(e.First), ShownForm(e.Second), ShownForm(e.Answer)};
}

} // namespace engine
