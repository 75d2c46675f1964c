// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology reads for the exercise rows: each answer box and verdict carries
// the exercise of its row in words, and the verdict once the test is judged.
#pragma once

#include "engine/fraction.h"
#include "engine/task_generator.h"
#include "window/main_window_layout.h"

#include <cstdint>
#include <string>

namespace window {

// "1 1/4 умножить на 1/2", "4 разделить на 1/2".
std::string SpokenExercise(const engine::Fraction& first, engine::Operation operation,
                           const engine::Fraction& second);

// Describes every row's answer boxes and verdict label by the exercise the row shows, followed
// by its verdict once there is one. The labels' own captions are left as they are.
void DescribeRows(MainWindowLayout& w, const engine::TaskOpsTable& taskOps);

} // namespace window
