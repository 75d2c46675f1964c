// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/fraction_view.h"

#include <QPainter>

#include <cmath>

namespace teacher {

FractionView::FractionView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

void FractionView::Show(const StackedFraction& f, const QColor& colour, const QString& role)
{
    shown_ = f;
    colour_ = colour;
    setAccessibleName(role + QStringLiteral(": ") + SpokenText(f));
    updateGeometry();
    update();
}

QSize FractionView::sizeHint() const
{
    const QSizeF size = StackedSize(shown_, font(), nullptr);
    return {static_cast<int>(std::ceil(size.width())) + 2,
            static_cast<int>(std::ceil(size.height())) + 2};
}

void FractionView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setFont(font());
    const QSizeF size = StackedSize(shown_, font(), this);
    PaintStacked(painter, QPointF(1, (height() - size.height()) / 2), shown_, colour_);
}

} // namespace teacher
