// SPDX-License-Identifier: GPL-3.0-or-later
// A value written the way a pupil writes it on paper: a whole part beside a numerator over a
// bar over a denominator; how to measure and paint it on any paint device (screen, PDF,
// printer), and how to say it to a screen reader.
//
// It only lays out texts: it does not reduce, check or judge anything, and it keeps a pupil's
// typed texts exactly as typed, however odd.
#pragma once

#include "engine/attempt_record.h"
#include "engine/fraction.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace teacher {

struct StackedFraction {
    QString Whole;
    QString Numerator;
    QString Denominator;

    // No numerator and no denominator: the whole part alone, without a bar.
    bool IsWholeOnly() const { return Numerator.isEmpty() && Denominator.isEmpty(); }
    bool IsEmpty() const { return Whole.isEmpty() && IsWholeOnly(); }

    friend bool operator==(const StackedFraction&, const StackedFraction&) = default;
};

// A stored fraction in the normal form it was shown in: "2", "3/4", "1 3/4"; a zero numerator
// leaves the whole part alone.
StackedFraction StackedFrom(const engine::Fraction& f);

// What the pupil typed into the three boxes, as typed (empty boxes stay empty).
StackedFraction StackedFrom(const engine::TypedAnswer& typed);

// "1 3/4", "3/4", "2", or "нет ответа" when nothing was typed.
QString SpokenText(const StackedFraction& f);

// The size the fraction takes in `font` on `device` (null: the screen), in the device's units.
QSizeF StackedSize(const StackedFraction& f, const QFont& font, QPaintDevice* device = nullptr);

// Paints the fraction with its top-left corner at `topLeft`, in the painter's current font,
// in `colour`; an empty one is painted as a dash.
void PaintStacked(QPainter& painter, const QPointF& topLeft, const StackedFraction& f,
                  const QColor& colour);

} // namespace teacher
