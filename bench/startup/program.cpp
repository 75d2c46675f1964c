// The program as app/main.cpp starts it, ending at its first painted frame.
#include "toolkit/program.h"
#include "bench/startup/first_frame.h"
#include "toolkit/random_source.h"
#include "window/test_flow.h"

#include <QMainWindow>

int main(int argc, char** argv)
{
    const auto app = toolkit::StartToolkit(argc, argv);
    toolkit::SystemRandomSource random;
    window::Form1 form(random);
    new FirstFrame(form.Controls().Form1->Widget());
    form.Show();
    return toolkit::RunEventLoop();
}
