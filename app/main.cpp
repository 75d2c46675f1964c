// The program's entry: starts the toolkit, creates the window, delivers events until the end.
#include "toolkit/program.h"
#include "toolkit/random_source.h"
#include "window/test_flow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const auto app = toolkit::StartToolkit(argc, argv);
    toolkit::SystemRandomSource random;
    window::Form1 form(random);
    form.Show();
    return toolkit::RunEventLoop();
}
