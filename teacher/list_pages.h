// SPDX-License-Identifier: GPL-3.0-or-later
// A table laid out on A4 pages, one line per row, painted as the lines come so that a list of
// thousands of pages needs neither memory nor a layout of the whole document first. Every page
// carries the same head — a title, the test's name, which days and pupils are shown, the totals —
// the column headings, and at its foot «Страница 3 из 12». A text too long for its cell is cut
// with "…". The list of attempts is one such table; the class view (class_pages.h) another.
//
// PageTable        what every page carries: title, head lines, column headings and widths
// ListPages        the painter: Begin, Add each line, Finish (or Abandon)
// DaysText         the days a filter shows, as a head line says them
// ListHeadLines    the list's head lines for a filter and the list's totals
// ListTable        the list's whole PageTable
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

#include <vector>

class QPagedPaintDevice;

namespace teacher {

// The test's name as every printed page carries it.
QString TestNameLine();

// «За 10.12.2026», «С 01.09.2026 по 31.10.2026», «За все дни».
QString DaysText(const journal::AttemptFilter& filter);

struct PageTable {
    QString Title;
    QStringList HeadLines;
    QStringList Headings;
    // Each column's share of the width, one per heading.
    std::vector<qreal> Shares;
};

QStringList ListHeadLines(const journal::AttemptFilter& filter, const ListTotals& totals);
PageTable ListTable(const journal::AttemptFilter& filter, const ListTotals& totals);

class ListPages {
public:
    // `lines` is how many lines will be added, which the page numbers need beforehand.
    ListPages(QPagedPaintDevice& device, PageTable table, long long lines);

    int PageCount() const;
    // False if the device cannot be painted on (a file that cannot be written).
    bool Begin();
    void Add(const QStringList& cells);
    // Paints the last page (the only one for an empty list) and ends the painting.
    void Finish();
    // For work stopped part-way: on a printer, the pages not yet sent are dropped (those sent
    // cannot be taken back); a file's pages are left to the caller, who does not commit it.
    void Abandon();

private:
    void StartPage();

    QPagedPaintDevice& device_;
    PageTable table_;
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
