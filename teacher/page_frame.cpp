// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/page_frame.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace teacher {

QFont PageFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

PageFrame::PageFrame(const QPaintDevice& device, QString title, QStringList headLines)
    : title_(std::move(title)), head_(std::move(headLines)), titleFont_(PageFont(14, true)),
      headFont_(PageFont(9))
{
    width_ = device.width();
    height_ = device.height();
    titleHeight_ = QFontMetricsF(titleFont_, &device).height();
    headLineHeight_ = QFontMetricsF(headFont_, &device).height();
    headHeight_ = titleHeight_ * 1.3 + headLineHeight_ * 1.2 * static_cast<qreal>(head_.size());
    footHeight_ = headLineHeight_ * 2;
}

void PageFrame::Paint(QPainter& painter, int page, int pages) const
{
    qreal y = 0;
    painter.setPen(Qt::black);
    painter.setFont(titleFont_);
    painter.drawText(QRectF(0, y, width_, titleHeight_), Qt::AlignLeft | Qt::AlignVCenter, title_);
    y += titleHeight_ * 1.3;
    painter.setFont(headFont_);
    const QFontMetricsF headMetrics(headFont_, painter.device());
    for (const QString& line : head_) {
        painter.drawText(QRectF(0, y, width_, headLineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                         headMetrics.elidedText(line, Qt::ElideRight, width_));
        y += headLineHeight_ * 1.2;
    }
    painter.drawText(QRectF(0, height_ - headLineHeight_, width_, headLineHeight_),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Страница %1 из %2").arg(page).arg(pages));
}

} // namespace teacher
