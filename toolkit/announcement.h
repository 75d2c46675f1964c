// SPDX-License-Identifier: GPL-3.0-or-later
// Announce: a short text said to a screen reader at once, wherever the focus is.
//
// On the accessibility bus (AT-SPI) the text is a notification: an object with the notification
// role, named by the text and holding one label with the same text, that says it is showing.
// Orca speaks a notification that shows, with its labels, whatever has the focus. The object is
// not among any control's children: it is met through its event only.
//
// Not here: deciding what to say or when (the engine's), and anything a sighted user sees: no
// widget is made, shown or changed.
#pragma once

#include "toolkit/controls.h"

#include <string>

namespace toolkit {

// Tells a screen reader `text`, as a notification about `about` (it lies over that control and
// belongs to its window). The focus stays where it is. An empty text says nothing.
void Announce(const Control& about, const std::string& text);

} // namespace toolkit
