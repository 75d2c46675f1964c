// SPDX-License-Identifier: GPL-3.0-or-later
// The one way tests reach the window's variables: reading them, and setting the seconds left so
// that the last seconds of a test need not be ticked through one by one.
#pragma once

#include "window/form1.h"

namespace window {

struct Form1TestSeam {
    static core::Int16 SecondsLeft(const Form1& form) { return form.SecondsLeft; }
    static void SetSecondsLeft(Form1& form, core::Int16 seconds) { form.SecondsLeft = seconds; }
    static const std::string& GradeText(const Form1& form) { return form.GradeText; }
    static const engine::TaskOpsTable& TaskOps(const Form1& form) { return form.TaskOps; }
};

} // namespace window
