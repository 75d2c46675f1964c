#include "toolkit/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <vector>

namespace toolkit {

namespace {

std::string& ProgramTitle()
{
    static std::string title;
    return title;
}

int openBoxes = 0;
std::vector<std::function<void()>> waiting;

void RunWaiting()
{
    if (openBoxes > 0 || waiting.empty()) {
        return;
    }
    // Queued, so the handler that opened the box finishes first.
    QTimer::singleShot(0, qApp, [] {
        auto actions = std::move(waiting);
        waiting.clear();
        for (auto& action : actions) {
            action();
        }
    });
}

} // namespace

void SetProgramTitle(const std::string& title)
{
    ProgramTitle() = title;
}

bool MessageBoxOpen()
{
    return openBoxes > 0;
}

void WhenNoMessageBox(std::function<void()> action)
{
    waiting.push_back(std::move(action));
    RunWaiting();
}

void MsgBox(const std::string& prompt, int style, const std::string& title)
{
    const QString shownTitle = QString::fromStdString(title.empty() ? ProgramTitle() : title);
    QMessageBox box(style == kInformation ? QMessageBox::Information : QMessageBox::NoIcon,
                    shownTitle, QString::fromStdString(prompt), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);

    struct OpenBox {
        OpenBox() { ++openBoxes; }
        ~OpenBox()
        {
            --openBoxes;
            RunWaiting();
        }
    } open;
    box.exec();
}

} // namespace toolkit
