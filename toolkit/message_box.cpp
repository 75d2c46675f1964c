// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace toolkit {

namespace {

QPointer<QWidget> programWindow;

int openBoxes = 0;
std::vector<std::function<void()>> waiting;

void RunWaiting()
{
    if (openBoxes > 0 || waiting.empty()) {
        return;
    }
    // Queued, so the handler that opened the box finishes first. Another box may have opened
    // by then: the actions wait for that one to close too.
    QTimer::singleShot(0, qApp, [] {
        if (openBoxes > 0) {
            return;
        }
        auto actions = std::move(waiting);
        waiting.clear();
        for (auto& action : actions) {
            action();
        }
    });
}

} // namespace

void SetProgramWindow(QWidget* window)
{
    programWindow = window;
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

void MsgBox(const std::string& prompt, MsgBoxStyle style, const std::string& title)
{
    QWidget* parent = programWindow.data();
    const QString programTitle = parent ? parent->windowTitle() : QString();
    const QString shownTitle = title.empty() ? programTitle : QString::fromStdString(title);
    const QMessageBox::Icon icon = style == MsgBoxStyle::Information ? QMessageBox::Information
                                   : style == MsgBoxStyle::Critical  ? QMessageBox::Critical
                                                                     : QMessageBox::NoIcon;
    QMessageBox box(icon, shownTitle, QString::fromStdString(prompt), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    // The icon says what kind of message this is; a screen reader would otherwise meet an
    // unnamed image.
    if (icon != QMessageBox::NoIcon) {
        const QString iconName = icon == QMessageBox::Critical ? "Ошибка" : "Сведения";
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                label->setAccessibleName(iconName);
            }
        }
    }

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
