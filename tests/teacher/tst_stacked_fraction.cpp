// SPDX-License-Identifier: GPL-3.0-or-later
// Fractions written as on paper: which parts a stored value and a typed answer show, what a
// screen reader hears, and that the painted bar really lies between numerator and
// denominator in the colour asked for. With the small texts shared by the window and print.
#include "teacher/attempt_texts.h"
#include "teacher/stacked_fraction.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using teacher::StackedFraction;

class StackedFractionTest : public QObject {
    Q_OBJECT

private slots:
    void fromStoredFraction_data()
    {
        QTest::addColumn<int>("whole");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("proper") << 0 << 3 << 4 << QStringList{"", "3", "4"} << "3/4";
        QTest::newRow("mixed") << 1 << 3 << 4 << QStringList{"1", "3", "4"} << "1 3/4";
        QTest::newRow("whole") << 8 << 0 << 1 << QStringList{"8", "", ""} << "8";
        QTest::newRow("zero") << 0 << 0 << 1 << QStringList{"0", "", ""} << "0";
        QTest::newRow("negative") << -2 << 1 << 3 << QStringList{"-2", "1", "3"} << "-2 1/3";
        QTest::newRow("key of a division by zero")
            << 0 << 5 << 0 << QStringList{"", "5", "0"} << "5/0";
    }
    void fromStoredFraction()
    {
        QFETCH(int, whole);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(QStringList, shown);
        QFETCH(QString, spoken);
        const engine::Fraction f{static_cast<engine::Int16>(numerator),
                                 static_cast<engine::Int16>(denominator),
                                 static_cast<engine::Int16>(whole)};
        const StackedFraction s = teacher::StackedFrom(f);
        QCOMPARE((QStringList{s.Whole, s.Numerator, s.Denominator}), shown);
        QCOMPARE(teacher::SpokenText(s), spoken);
    }

    void fromTypedAnswer_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("wholeOnly");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("mixed") << QStringList{"1", "3", "4"} << false << "1 3/4";
        QTest::newRow("whole only") << QStringList{"8", "", ""} << true << "8";
        QTest::newRow("nothing") << QStringList{"", "", ""} << true << "нет ответа";
        QTest::newRow("numerator without denominator") << QStringList{"", "3", ""} << false << "3/";
        QTest::newRow("kept as typed")
            << QStringList{" 1a", "040000", "x"} << false << " 1a 040000/x";
    }
    void fromTypedAnswer()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, wholeOnly);
        QFETCH(QString, spoken);
        const engine::TypedAnswer answer{typed.at(0).toStdString(), typed.at(1).toStdString(),
                                         typed.at(2).toStdString()};
        const StackedFraction s = teacher::StackedFrom(answer);
        QCOMPARE((QStringList{s.Whole, s.Numerator, s.Denominator}), typed);
        QCOMPARE(s.IsWholeOnly(), wholeOnly);
        QCOMPARE(teacher::SpokenText(s), spoken);
    }

    // The bar is a horizontal run in the given colour, at least as wide as the longer number,
    // with ink above it (numerator) and below it (denominator); a whole number has no bar and
    // is one line high.
    void paintsTheBarBetweenTheNumbers()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        const StackedFraction f{"1", "3", "125"};
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QColor colour(0, 100, 0);
        {
            QPainter painter(&image);
            painter.setFont(font);
            teacher::PaintStacked(painter, QPointF(10, 10), f, colour);
        }
        const QSizeF size = teacher::StackedSize(f, font, &image);
        const QFontMetricsF metrics(font, &image);
        int barRow = -1;
        int barLength = 0;
        for (int y = 0; y < image.height(); ++y) {
            int run = 0;
            int longest = 0;
            for (int x = 0; x < image.width(); ++x) {
                run = image.pixelColor(x, y) == colour ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            if (longest > barLength) {
                barLength = longest;
                barRow = y;
            }
        }
        QVERIFY(barLength >= metrics.horizontalAdvance("125"));
        const auto inkBetween = [&](int top, int bottom) {
            for (int y = top; y < bottom; ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixelColor(x, y) != Qt::white) {
                        return true;
                    }
                }
            }
            return false;
        };
        QVERIFY(inkBetween(10, barRow - 1));
        QVERIFY(inkBetween(barRow + 2, 10 + int(size.height())));
        QVERIFY(!inkBetween(12 + int(size.height()), image.height()));

        const QSizeF whole = teacher::StackedSize({"8", "", ""}, font, &image);
        QCOMPARE(whole.height(), metrics.height());
        QVERIFY(size.height() > 2 * metrics.height());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 попытка")
            << teacher::CountedWord(1, "попытка", "попытки", "попыток") << "попытка";
        QTest::newRow("3 попытки")
            << teacher::CountedWord(3, "попытка", "попытки", "попыток") << "попытки";
        QTest::newRow("5 попыток")
            << teacher::CountedWord(5, "попытка", "попытки", "попыток") << "попыток";
        QTest::newRow("11 попыток")
            << teacher::CountedWord(11, "попытка", "попытки", "попыток") << "попыток";
        QTest::newRow("21 попытка")
            << teacher::CountedWord(21, "попытка", "попытки", "попыток") << "попытка";
        QTest::newRow("112 попыток")
            << teacher::CountedWord(112, "попытка", "попытки", "попыток") << "попыток";
        QTest::newRow("duration") << teacher::DurationText(425) << "7:05";
        QTest::newRow("whole time") << teacher::DurationText(600) << "10:00";
        QTest::newRow("average") << teacher::AverageText(4.25) << "4,3";
        QTest::newRow("no average") << teacher::AverageText(std::nullopt) << "—";
        QTest::newRow("date") << teacher::DateText(QDate(2026, 3, 5)) << "05.03.2026";
        QTest::newRow("stored time from text")
            << teacher::StoredTime(QStringLiteral("2026-03-05T08:07:00.250Z"))
                   .toString(Qt::ISODateWithMs)
            << "2026-03-05T08:07:00.250Z";
        QTest::newRow("division") << teacher::OperationSign(engine::Operation::Divide) << ":";
        QTest::newRow("unjudged") << teacher::VerdictText(std::nullopt) << "не проверено";
    }
    void texts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_MAIN(StackedFractionTest)
#include "tst_stacked_fraction.moc"
