// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level window: a title, a fixed client area under a menu bar, an icon.
#pragma once

#include "toolkit/controls.h"
#include "toolkit/timer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace toolkit {

class MenuItem {
public:
    explicit MenuItem(QAction* action = nullptr) : action_(action) {}
    void OnClick(std::function<void()> handler);
    QAction* Action() const { return action_; }

private:
    QAction* action_;
};

class Menu {
public:
    explicit Menu(QMenu* menu = nullptr) : menu_(menu) {}
    MenuItem AddItem(const std::string& name, const std::string& caption);
    QMenu* Widget() const { return menu_; }

private:
    QMenu* menu_;
};

class Form {
public:
    // A window whose client area below the menu bar is `clientWidth` x `clientHeight` twips and
    // cannot be resized.
    Form(const std::string& title, int clientWidth, int clientHeight);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The window's icon from picture files of several sizes (resource paths).
    void SetIcon(const std::vector<std::string>& pictures);
    Container Client() const;
    Menu AddMenu(const std::string& name, const std::string& caption);
    Timer AddTimer(const std::string& name);
    void Show();

    QMainWindow* Widget() const { return window_.get(); }

private:
    std::unique_ptr<QMainWindow> window_;
};

} // namespace toolkit
