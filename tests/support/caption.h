// SPDX-License-Identifier: GPL-3.0-or-later
// A label's caption as Qt text, for comparing with literals.
#pragma once

#include "toolkit/controls.h"

#include <QString>

inline QString Caption(const toolkit::Label& label)
{
    return QString::fromStdString(label.Caption());
}
