// SPDX-License-Identifier: GPL-3.0-or-later
// On a screen scaled by 2 the window is twice the size in device pixels, its layout in
// proportion and its bars sharp. Run with QT_SCALE_FACTOR=2.
#include "tests/support/window_fixture.h"

#include <QImage>
#include <QScreen>

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    void windowIsTwiceTheSize()
    {
        WindowFixture f(0.0f);
        f.start();
        QMainWindow* form = f.w().Window->Widget();
        QCOMPARE(form->devicePixelRatioF(), 2.0);

        // The layout in device-independent pixels, and so in twips, is unchanged.
        QCOMPARE(form->centralWidget()->size() * 15, QSize(7830, 9435));
        QCOMPARE(f.w().Cz(9).Top(), 6000);

        const QImage image = form->grab().toImage();
        QCOMPARE(image.size(), form->size() * 2);

        // Bar 1 under At(0): 24 pixels long at 96 dpi, so 48 device pixels, two rows of solid
        // black with no grey of a blurred, stretched bitmap above or below.
        QWidget* bar = f.w().Line1(1).Widget();
        const QPoint topLeft = bar->mapTo(form, QPoint(0, 0)) * 2;
        for (int x = topLeft.x() + 1; x < topLeft.x() + 47; ++x) {
            QCOMPARE(image.pixelColor(x, topLeft.y()), QColor(Qt::black));
            QCOMPARE(image.pixelColor(x, topLeft.y() + 1), QColor(Qt::black));
            QVERIFY(image.pixelColor(x, topLeft.y() + 2) != QColor(Qt::black));
        }

        // Text is drawn at twice the pixel size, not scaled up from a small bitmap.
        QCOMPARE(QFontInfo(f.w().TL.Widget()->font()).pixelSize(), 16);
        QCOMPARE(f.w().TL.Widget()->screen()->devicePixelRatio(), 2.0);
    }
};

QTEST_MAIN(HighDpiTest)
#include "tst_high_dpi.moc"
