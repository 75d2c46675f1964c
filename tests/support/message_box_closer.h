// SPDX-License-Identifier: GPL-3.0-or-later
// A watcher that reads and closes every message box that opens.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Closes each message box shortly after it opens, first noting what it said and running
// `whileOpen`, if set.
class MessageBoxCloser : public QObject {
public:
    MessageBoxCloser()
    {
        connect(&poll_, &QTimer::timeout, this, [this] { closeOpenBox(); });
        poll_.start(5);
    }

    QList<SeenBox> seen;
    std::function<void()> whileOpen;
    // When set, the box is closed by pressing this key rather than by clicking OK.
    std::optional<Qt::Key> closeKey;

private:
    void closeOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        poll_.stop(); // whileOpen may wait, and the same box must not be handled twice
        seen.append({box->windowTitle(), box->text(), box->icon()});
        if (whileOpen) {
            whileOpen();
        }
        if (closeKey) {
            QTest::keyClick(box, *closeKey);
        }
        if (box->isVisible()) {
            box->button(QMessageBox::Ok)->click();
            keyDidNotClose = closeKey.has_value();
        }
        poll_.start();
    }

    QTimer poll_;

public:
    bool keyDidNotClose = false;
};
