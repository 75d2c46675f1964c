// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: starts the toolkit, creates the window, delivers events until the end.
#include "core/random_source.h"
#include "toolkit/program.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const auto app = toolkit::StartToolkit(argc, argv);
    core::SystemRandomSource random;
    window::Form1 form(random);
    form.Show();
    return toolkit::RunEventLoop();
}
