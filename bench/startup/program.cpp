// SPDX-License-Identifier: GPL-3.0-or-later
// The program started by the very code app/main.cpp runs (app::RunProgram), journal included,
// ending at its first painted frame. The journal is the one the settings name: the default
// local file, or FRACTION_TEST_JOURNAL as the benchmark's caller sets it.
#include "app/run_program.h"
#include "bench/startup/first_frame.h"

int main(int argc, char** argv)
{
    return app::RunProgram(argc, argv, [](QWidget& window) { new FirstFrame(&window); });
}
