#include "toolkit/program.h"

#include "toolkit/look.h"
#include "toolkit/message_box.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
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

// The last line of defence: an error no handler caught is reported to the pupil, and the
// program ends, rather than aborting with no word.
class ProgramApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ReportRunTimeError(error.what());
        } catch (...) {
            ReportRunTimeError("неизвестная ошибка");
        }
        return true;
    }

private:
    void ReportRunTimeError(const std::string& what)
    {
        const std::string text = "Ошибка выполнения: " + what + ". Программа будет закрыта.";
        std::fprintf(stderr, "fraction-test: %s\n", text.c_str());
        if (reporting_) {
            std::_Exit(1);
        }
        reporting_ = true;
        MsgBox(text, kCritical);
        QApplication::closeAllWindows();
        QCoreApplication::exit(1);
    }

    bool reporting_ = false;
};

} // namespace

std::unique_ptr<QApplication> StartToolkit(int& argc, char** argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    std::unique_ptr<QApplication> app = std::make_unique<ProgramApplication>(argc, argv);
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

void EndProgram()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace toolkit
