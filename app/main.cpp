// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: everything it does is in RunProgram (run_program.h), which the start-up
// benchmark runs too.
#include "app/run_program.h"

int main(int argc, char** argv)
{
    return app::RunProgram(argc, argv);
}
