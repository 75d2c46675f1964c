// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told about the toolkit's own widgets, through Qt's
// accessibility (and from there AT-SPI):
//   - a label is named by its caption alone, or by the name set for it; an empty label has an
//     empty name, never its frame's title; it is labelled by the labels whose buddy it is and
//     labels its own buddy;
//   - a frame is a group named by its title that holds its controls, lines and shapes left out
//     (they are drawing, not content), or, once it has rows, those rows only, in their order;
//   - a row is one object in place of several controls: a group whose children are its parts,
//     or a label read as one in their place.
// Only the toolkit includes this file.
//
// Not here: text boxes and buttons, which keep Qt's own accessibility. A text box in a row is
// listed by the row, but Qt reports its frame as its parent.
#pragma once

#include <cstddef>

class QAccessibleInterface;

namespace toolkit::detail {

class FrameWidget;

// Installs the toolkit's accessibility factory, once; every toolkit widget that needs it calls
// this when it is made.
void InstallAccessibility();

// The accessible object of one of the frame's rows, made when first asked for.
QAccessibleInterface* RowInterfaceOf(FrameWidget* frame, std::size_t index);

} // namespace toolkit::detail
