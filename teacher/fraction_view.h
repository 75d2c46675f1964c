// SPDX-License-Identifier: GPL-3.0-or-later
// A widget that shows one stacked fraction in one colour, and tells a screen reader what it
// shows. It does not take input and does not judge anything.
#pragma once

#include "teacher/stacked_fraction.h"

#include <QWidget>

namespace teacher {

class FractionView : public QWidget {
    Q_OBJECT

public:
    explicit FractionView(QWidget* parent = nullptr);

    // `role` opens what a screen reader says: "Ответ ученика: 1 3/4".
    void Show(const StackedFraction& f, const QColor& colour, const QString& role);
    const StackedFraction& Shown() const { return shown_; }
    QColor Colour() const { return colour_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StackedFraction shown_;
    QColor colour_;
};

} // namespace teacher
