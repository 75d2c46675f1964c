// SPDX-License-Identifier: GPL-3.0-or-later
// A bare QMainWindow with the same number and kinds of plain Qt widgets as the program's
// window: 118 labels, 30 line edits, 2 push buttons, 2 group boxes, 47 plain widgets (the
// program's bars and sign dots) and a menu of three items. It ends at its first painted frame.
#include "bench/startup/first_frame.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("bare");
    QMenu* menu = window.menuBar()->addMenu("Menu");
    for (const char* item : {"One", "Two", "Three"}) {
        menu->addAction(item);
    }
    auto* client = new QWidget(&window);
    client->setFixedSize(522, 629);
    window.setCentralWidget(client);

    auto* left = new QGroupBox("Left", client);
    left->setGeometry(16, 144, 417, 425);
    auto* right = new QGroupBox("Right", client);
    right->setGeometry(440, 144, 73, 425);
    for (int i = 0; i < 118; ++i) {
        auto* label = new QLabel(QString::number(i), i < 90 ? left : right);
        label->setGeometry(8 + (i % 10) * 40, 16 + (i / 10) * 36, 25, 17);
    }
    for (int i = 0; i < 30; ++i) {
        new QLineEdit(left);
    }
    new QPushButton("Start", client);
    new QPushButton("Done", client);
    for (int i = 0; i < 47; ++i) {
        auto* plain = new QWidget(i < 31 ? left : right);
        plain->setGeometry(i, i, 5, 5);
    }
    new FirstFrame(&window);
    window.show();
    return QApplication::exec();
}
