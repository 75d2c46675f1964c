// SPDX-License-Identifier: GPL-3.0-or-later
// What every page of the teacher's many-page documents carries around its content: at the top
// the document's title and its head lines (the test's name, which attempts it is about), at the
// foot «Страница 3 из 12». The list's pages (list_pages.h) and the typical mistakes' pages
// (mistake_pages.h) are framed by it alike.
//
// PageFont     the documents' font at a size, plain or bold
// PageFrame    the head's and the foot's heights, and their painting on one page
//
// It lays out nothing between the head and the foot, and chooses no file or printer.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPaintDevice;
class QPainter;

namespace teacher {

QFont PageFont(qreal points, bool bold = false);

class PageFrame {
public:
    // Measured for `device`, which the pages are painted on.
    PageFrame(const QPaintDevice& device, QString title, QStringList headLines);

    // From the page's top to the end of the last head line.
    qreal HeadHeight() const { return headHeight_; }
    // Kept free at the page's bottom for the page number.
    qreal FootHeight() const { return footHeight_; }

    // Paints the head and «Страница `page` из `pages`» with `painter`, which is painting on the
    // device measured, and leaves its font and pen changed.
    void Paint(QPainter& painter, int page, int pages) const;

private:
    QString title_;
    QStringList head_;
    QFont titleFont_, headFont_;
    qreal width_ = 0, height_ = 0, titleHeight_ = 0, headLineHeight_ = 0;
    qreal headHeight_ = 0, footHeight_ = 0;
};

} // namespace teacher
