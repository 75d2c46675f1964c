// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/stacked_fraction.h"

#include "journal/stored_attempt.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace teacher {

namespace {

const QString kNothingTyped = QStringLiteral("—");

// The geometry shared by measuring and painting, in the font's own units on one device.
struct Layout {
    qreal WholeWidth = 0;
    qreal Gap = 0;
    qreal BarWidth = 0;
    qreal LineHeight = 0;
    qreal BarSpace = 0;
    qreal BarThickness = 0;

    qreal Width() const { return WholeWidth + Gap + BarWidth; }
    qreal Height(bool wholeOnly) const
    {
        return wholeOnly ? LineHeight : 2 * LineHeight + BarSpace;
    }
};

Layout LayoutOf(const StackedFraction& f, const QFontMetricsF& metrics)
{
    Layout l;
    l.LineHeight = metrics.height();
    l.BarThickness = std::max<qreal>(1.0, metrics.lineWidth());
    l.BarSpace = l.BarThickness + metrics.descent();
    const QString whole = f.IsEmpty() ? kNothingTyped : f.Whole;
    l.WholeWidth = whole.isEmpty() ? 0 : metrics.horizontalAdvance(whole);
    if (f.IsWholeOnly()) {
        return l;
    }
    if (l.WholeWidth > 0) {
        l.Gap = metrics.horizontalAdvance(QLatin1Char(' '));
    }
    // The bar overhangs the longer of the two numbers a little on each side, as on paper.
    const qreal overhang = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    l.BarWidth =
        std::max(metrics.horizontalAdvance(f.Numerator), metrics.horizontalAdvance(f.Denominator)) +
        2 * overhang;
    return l;
}

} // namespace

StackedFraction StackedFrom(const engine::Fraction& f)
{
    StackedFraction s;
    if (f.Numerator == 0) {
        s.Whole = QString::number(f.Whole);
        return s;
    }
    if (f.Whole != 0) {
        s.Whole = QString::number(f.Whole);
    }
    s.Numerator = QString::number(f.Numerator);
    s.Denominator = QString::number(f.Denominator);
    return s;
}

StackedFraction StackedFrom(const engine::TypedAnswer& typed)
{
    // Typed texts are cut to the journal's limit, whatever a file holds.
    const auto shown = [](const std::string& text) {
        return journal::Bounded(QString::fromStdString(text), journal::kMaxTypedLength);
    };
    return {shown(typed.Whole), shown(typed.Numerator), shown(typed.Denominator)};
}

QString SpokenText(const StackedFraction& f)
{
    if (f.IsEmpty()) {
        return QStringLiteral("нет ответа");
    }
    if (f.IsWholeOnly()) {
        return f.Whole;
    }
    const QString fraction = f.Numerator + QLatin1Char('/') + f.Denominator;
    return f.Whole.isEmpty() ? fraction : f.Whole + QLatin1Char(' ') + fraction;
}

QSizeF StackedSize(const StackedFraction& f, const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    const Layout l = LayoutOf(f, metrics);
    return {l.Width(), l.Height(f.IsWholeOnly())};
}

void PaintStacked(QPainter& painter, const QPointF& topLeft, const StackedFraction& f,
                  const QColor& colour)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const Layout l = LayoutOf(f, metrics);
    painter.save();
    painter.setPen(colour);
    const qreal height = l.Height(f.IsWholeOnly());
    // The whole part sits on the middle line, level with the bar.
    const qreal wholeTop = topLeft.y() + (height - l.LineHeight) / 2;
    const QString whole = f.IsEmpty() ? kNothingTyped : f.Whole;
    if (!whole.isEmpty()) {
        painter.drawText(QRectF(topLeft.x(), wholeTop, l.WholeWidth, l.LineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, whole);
    }
    if (!f.IsWholeOnly()) {
        const qreal left = topLeft.x() + l.WholeWidth + l.Gap;
        const QRectF numerator(left, topLeft.y(), l.BarWidth, l.LineHeight);
        const QRectF denominator(left, topLeft.y() + l.LineHeight + l.BarSpace, l.BarWidth,
                                 l.LineHeight);
        painter.drawText(numerator, Qt::AlignHCenter | Qt::AlignBottom, f.Numerator);
        painter.drawText(denominator, Qt::AlignHCenter | Qt::AlignTop, f.Denominator);
        const qreal barTop = topLeft.y() + l.LineHeight + (l.BarSpace - l.BarThickness) / 2;
        painter.fillRect(QRectF(left, barTop, l.BarWidth, l.BarThickness), colour);
    }
    painter.restore();
}

} // namespace teacher
