// SPDX-License-Identifier: GPL-3.0-or-later
// Starting and ending the program.
#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace toolkit {

// Starts the windowing toolkit with the program's look. Without a display to open windows on,
// prints one line saying so and ends the program with status 1.
std::unique_ptr<QApplication> StartToolkit(int& argc, char** argv);

// Runs one of the program's event handlers. A run-time error that escapes it is reported in a
// message box and ends the program with status 1, as the pupil closes the box.
void RunEventHandler(const std::function<void()>& handler);

// Delivers events until the program ends; the program's exit status.
int RunEventLoop();

// Closes every window and ends the program at once.
void EndProgram();

} // namespace toolkit
