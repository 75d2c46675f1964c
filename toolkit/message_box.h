// SPDX-License-Identifier: GPL-3.0-or-later
// Modal message boxes with one OK button (MsgBox), the window they belong to, and running an
// action once no box is open (WhenNoMessageBox).
//
// Not here: any other kind of dialog.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace toolkit {

// A box's style, by the toolkit's own numbers: no icon, the error icon, the information icon.
enum class MsgBoxStyle { NoIcon = 0, Critical = 16, Information = 64 };

// Shows the box over the program's window and returns when the pupil has closed it. An empty
// title shows the program's.
void MsgBox(const std::string& prompt, MsgBoxStyle style = MsgBoxStyle::NoIcon,
            const std::string& title = {});

// The window message boxes belong to, and whose title untitled boxes show.
void SetProgramWindow(QWidget* window);

// Whether a message box is open right now.
bool MessageBoxOpen();

// Runs `action` from the event loop once no message box is open any more.
void WhenNoMessageBox(std::function<void()> action);

} // namespace toolkit
