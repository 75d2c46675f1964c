// Starting and ending the program.
#pragma once

#include <memory>

class QApplication;

namespace toolkit {

// Starts the windowing toolkit with the program's look. Without a display to open windows on,
// prints one line saying so and ends the program with status 1. A run-time error that escapes
// an event handler is reported in a message box and ends the program with status 1.
std::unique_ptr<QApplication> StartToolkit(int& argc, char** argv);

// Delivers events until the program ends; the program's exit status.
int RunEventLoop();

// Closes every window and ends the program at once.
void EndProgram();

} // namespace toolkit
