// SPDX-License-Identifier: GPL-3.0-or-later
// Makes a window's menu shortcuts work wherever its focus is. A text box claims some keys for
// itself before any shortcut sees them (Ctrl+E, for instance, moves to the end of the line on
// this desktop); for a key that is one of the window's own commands, the window's command wins.
//
// It changes no action and no key of a command meant for one widget only (such as Delete in
// the list); it does nothing to other windows or dialogs.
#pragma once

class QWidget;

namespace teacher {

// Watches key presses bound for `window` and its children for as long as the window lives.
void GiveWindowShortcutsPriority(QWidget* window);

} // namespace teacher
