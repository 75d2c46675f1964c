// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology reads in the window. In the exercises frame it meets ten rows, each
// one object named by its task and its exercise in words, holding the row's three answer boxes
// and its verdict; in the key frame, ten rows each read as one label, the task and its answer
// in words. The operand labels, the "=" signs, the sign dots and the fraction bars are not
// presented: the row's name reads them, the sign once. The time, the counts and the mark are
// named by their captions and say what they are by a label or a description. The time left is
// announced at a few moments, wherever the focus is.
//
// Not here: the reading of numbers and fractions (engine/fraction_words), the boxes' names
// (main_window_layout), how the toolkit gives all this to Qt (toolkit/accessible).
#pragma once

#include "engine/fraction.h"
#include "engine/task_generator.h"
#include "window/main_window_layout.h"

#include <string>

namespace window {

// "одна целая одна четвёртая умножить на одну вторую", "четыре разделить на одну вторую": the
// first operand in the nominative, the second in the accusative.
std::string SpokenExercise(const engine::Fraction& first, engine::Operation operation,
                           const engine::Fraction& second);

// Sets up what is presented, once, while the window is built: the rows of both frames, the
// labels of the time and of the counts, the mark's description.
void ArrangeForScreenReaders(MainWindowLayout& w);

// Tells every row what it now shows, from the captions of its labels: an exercise row and its
// boxes read the exercise in words, followed by the verdict once there is one, which the
// verdict label then reads too (it says nothing while it is empty); a row of the key reads
// "Задание 3: восемь".
void DescribeRows(MainWindowLayout& w, const engine::TaskOpsTable& taskOps);

// Says `text` (the countdown's announcement) to a screen reader as a notification about the
// time, without moving the focus and without changing what the window shows.
void AnnounceTimeLeft(MainWindowLayout& w, const std::string& text);

} // namespace window
