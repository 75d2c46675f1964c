// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/form.h"

#include "toolkit/message_box.h"
#include "toolkit/program.h"
#include "toolkit/timer_p.h"
#include "toolkit/twips.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

namespace toolkit {

void MenuItem::OnClick(std::function<void()> handler)
{
    QObject::connect(action_, &QAction::triggered, action_,
                     [handler = std::move(handler)] { RunEventHandler(handler); });
}

MenuItem Menu::AddItem(const std::string& name, const std::string& caption)
{
    QAction* action = menu_->addAction(QString::fromStdString(caption));
    action->setObjectName(QString::fromStdString(name));
    return MenuItem(action);
}

Form::Form(const std::string& title, int clientWidth, int clientHeight)
    : window_(std::make_unique<QMainWindow>())
{
    window_->setObjectName(QStringLiteral("Form1"));
    window_->setWindowTitle(QString::fromStdString(title));
    auto* client = new QWidget(window_.get());
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
    client->setAutoFillBackground(true);
    window_->setCentralWidget(client);
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetProgramWindow(window_.get());
}

Form::~Form() = default;

void Form::SetIcon(const std::vector<std::string>& pictures)
{
    QIcon icon;
    for (const std::string& picture : pictures) {
        icon.addFile(QString::fromStdString(picture));
    }
    window_->setWindowIcon(icon);
}

Container Form::Client() const
{
    return Container(window_->centralWidget());
}

Menu Form::AddMenu(const std::string& name, const std::string& caption)
{
    QMenu* menu = window_->menuBar()->addMenu(QString::fromStdString(caption));
    menu->setObjectName(QString::fromStdString(name));
    return Menu(menu);
}

Timer Form::AddTimer(const std::string& name)
{
    auto* timer = new detail::TimerObject(window_.get());
    timer->setObjectName(QString::fromStdString(name));
    return Timer(timer);
}

void Form::Show()
{
    window_->show();
}

} // namespace toolkit
