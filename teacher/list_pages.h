// SPDX-License-Identifier: GPL-3.0-or-later
// The list of attempts laid out on A4 pages, one line per attempt, painted as the lines come so
// that a list of thousands of pages needs neither memory nor a layout of the whole document
// first. Every page carries the same head — «Журнал результатов», the test's name, which days
// and pupils are shown, the count and mean mark — the column headings, and at its foot
// «Страница 3 из 12». A text too long for its cell is cut with "…".
//
// ListPages        the painter: Begin, Add each line, Finish
// ListHeadLines    the head's lines for a filter and the list's totals
// ListPageCount    how many pages a list of so many lines takes (for a warning beforehand)
//
// It reads no journal and chooses no file or printer.
#pragma once

#include "journal/attempt_filter.h"
#include "teacher/attempt_list_model.h"
#include "teacher/page_frame.h"

#include <QFont>
#include <QPainter>
#include <QStringList>

class QPagedPaintDevice;

namespace teacher {

// The test's name as every printed page carries it.
QString TestNameLine();

QStringList ListHeadLines(const journal::AttemptFilter& filter, const ListTotals& totals);

class ListPages {
public:
    // `lines` is how many lines will be added, which the page numbers need beforehand.
    ListPages(QPagedPaintDevice& device, QStringList headLines, long long lines);

    int PageCount() const;
    // False if the device cannot be painted on (a file that cannot be written).
    bool Begin();
    void Add(const QStringList& cells);
    // Paints the last page (the only one for an empty list) and ends the painting.
    void Finish();

private:
    void StartPage();

    QPagedPaintDevice& device_;
    PageFrame frame_;
    long long lines_;
    QPainter painter_;
    QFont cellFont_, boldFont_;
    qreal width_ = 0, height_ = 0, lineHeight_ = 0, headHeight_ = 0, footHeight_ = 0;
    int perPage_ = 1;
    int page_ = 0;
    int onPage_ = 0;
};

int ListPageCount(long long lines, const journal::AttemptFilter& filter, const ListTotals& totals);

} // namespace teacher
