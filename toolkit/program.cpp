// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/program.h"

#include "toolkit/look.h"
#include "toolkit/message_box.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace toolkit {

namespace {

// What Qt says while it connects to the display is held back: if the connection fails, its
// warnings and its fatal message give way to one plain line; if it works, they are passed on.
std::vector<std::pair<QtMsgType, std::string>> heldMessages;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("fraction-test: нет графического дисплея (X11 или Wayland), окно программы "
                   "открыть негде.\n",
                   stderr);
        std::_Exit(1);
    }
    heldMessages.emplace_back(type, message.toStdString());
}

} // namespace

std::unique_ptr<QApplication> StartToolkit(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : heldMessages) {
        qt_message_output(type, QMessageLogContext(), QString::fromStdString(message));
    }
    heldMessages.clear();

    QApplication::setApplicationName(QStringLiteral("fraction-test"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.drobi6.FractionTest"));
    ApplyProgramLook(*app);
    return app;
}

int RunEventLoop()
{
    return QApplication::exec();
}

void RunEventHandler(const std::function<void()>& handler)
{
    static bool reporting = false;
    std::string what;
    try {
        handler();
        return;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
        what = "неизвестная ошибка";
    }
    // The program's state cannot be trusted any more: say what happened and end.
    const std::string text = "Ошибка выполнения: " + what + ". Программа будет закрыта.";
    std::fprintf(stderr, "fraction-test: %s\n", text.c_str());
    if (reporting) {
        std::_Exit(1);
    }
    reporting = true;
    MsgBox(text, MsgBoxStyle::Critical);
    QApplication::closeAllWindows();
    QCoreApplication::exit(1);
    reporting = false;
}

void EndProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace toolkit
