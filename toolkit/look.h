// SPDX-License-Identifier: GPL-3.0-or-later
// The program's look: the classic light-grey 3D style, the fonts, and Russian for Qt's own texts.
#pragma once

class QApplication;

namespace toolkit {

// Applies the classic 3D look (whatever the desktop theme), the window font, and Qt's Russian
// translation, so that context menus and standard buttons speak Russian too.
void ApplyProgramLook(QApplication& app);

} // namespace toolkit
