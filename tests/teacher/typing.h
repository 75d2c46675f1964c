// SPDX-License-Identifier: GPL-3.0-or-later
// Typing any text, Cyrillic included, into a widget as key presses (QTest::keyClicks knows
// only ASCII).
#pragma once

#include <QTest>

inline void TypeInto(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), QString(ch),
                            Qt::NoModifier);
    }
}
