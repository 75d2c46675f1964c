// Modal message boxes with one OK button.
#pragma once

#include <functional>
#include <string>

namespace toolkit {

inline constexpr int kNoIcon = 0;
inline constexpr int kInformation = 64;

// Shows the box and returns when the pupil has closed it. An empty title shows the program's.
void MsgBox(const std::string& prompt, int style = kNoIcon, const std::string& title = {});

// The title untitled boxes show.
void SetProgramTitle(const std::string& title);

// Whether a message box is open right now.
bool MessageBoxOpen();

// Runs `action` from the event loop once no message box is open any more.
void WhenNoMessageBox(std::function<void()> action);

} // namespace toolkit
