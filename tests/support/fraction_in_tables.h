// SPDX-License-Identifier: GPL-3.0-or-later
// engine::Fraction as a column of a Qt Test data table, printed as "whole numerator/denominator"
// when a comparison fails.
#pragma once

#include "engine/fraction.h"

#include <QByteArray>
#include <QMetaType>
#include <QTest>

Q_DECLARE_METATYPE(engine::Fraction)

namespace QTest {
template <> inline char* toString(const engine::Fraction& f)
{
    return qstrdup(QByteArray::number(f.Whole) + " " + QByteArray::number(f.Numerator) + "/" +
                   QByteArray::number(f.Denominator));
}
} // namespace QTest
