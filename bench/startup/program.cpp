// SPDX-License-Identifier: GPL-3.0-or-later
// The program as app/main.cpp starts it, ending at its first painted frame.
#include "toolkit/program.h"
#include "bench/startup/first_frame.h"
#include "core/random_source.h"
#include "window/form1.h"

#include <QMainWindow>

int main(int argc, char** argv)
{
    const auto app = toolkit::StartToolkit(argc, argv);
    core::SystemRandomSource random;
    window::Form1 form(random);
    new FirstFrame(form.Controls().Window->Widget());
    form.Show();
    return toolkit::RunEventLoop();
}
