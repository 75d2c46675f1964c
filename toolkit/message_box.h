// Modal message boxes with one OK button.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace toolkit {

inline constexpr int kNoIcon = 0;
inline constexpr int kCritical = 16;
inline constexpr int kInformation = 64;

// Shows the box over the program's window and returns when the pupil has closed it. An empty
// title shows the program's.
void MsgBox(const std::string& prompt, int style = kNoIcon, const std::string& title = {});

// The window message boxes belong to, and whose title untitled boxes show.
void SetProgramWindow(QWidget* window);

// Whether a message box is open right now.
bool MessageBoxOpen();

// Runs `action` from the event loop once no message box is open any more.
void WhenNoMessageBox(std::function<void()> action);

} // namespace toolkit
