// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/list_pages.h"

#include "teacher/attempt_texts.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPrinter>

#include <array>
#include <cmath>

namespace teacher {

namespace {

// Shares of the list's width, column by column: room for a whole name and a date with its time.
constexpr std::array<qreal, AttemptListModel::ColumnCount> kListShares = {0.19, 0.12, 0.17, 0.07,
                                                                          0.11, 0.08, 0.10, 0.16};

} // namespace

QString DaysText(const journal::AttemptFilter& filter)
{
    if (filter.From.isValid() && filter.To.isValid()) {
        return filter.From == filter.To
                   ? QStringLiteral("За %1").arg(DateText(filter.From))
                   : QStringLiteral("С %1 по %2").arg(DateText(filter.From), DateText(filter.To));
    }
    if (filter.From.isValid()) {
        return QStringLiteral("С %1").arg(DateText(filter.From));
    }
    if (filter.To.isValid()) {
        return QStringLiteral("По %1").arg(DateText(filter.To));
    }
    return QStringLiteral("За все дни");
}

QString TestNameLine()
{
    return QStringLiteral("Тест: умножение и деление обыкновенных дробей (6 класс)");
}

QStringList ListHeadLines(const journal::AttemptFilter& filter, const ListTotals& totals)
{
    QString shown = DaysText(filter);
    if (!filter.PupilContains.isEmpty()) {
        shown += QStringLiteral("; ученики, в имени которых есть «%1»")
                     .arg(ShownName(filter.PupilContains));
    }
    return {
        TestNameLine(), shown,
        QStringLiteral("Попыток: %1, средняя отметка: %2; напечатано %3")
            .arg(totals.Count)
            .arg(AverageText(totals.AverageMark), DateTimeText(QDateTime::currentDateTimeUtc()))};
}

PageTable ListTable(const journal::AttemptFilter& filter, const ListTotals& totals)
{
    PageTable table{QStringLiteral("Журнал результатов"),
                    ListHeadLines(filter, totals),
                    {},
                    std::vector<qreal>(kListShares.begin(), kListShares.end())};
    for (int c = 0; c < AttemptListModel::ColumnCount; ++c) {
        table.Headings << AttemptListModel::Heading(c);
    }
    return table;
}

ListPages::ListPages(QPagedPaintDevice& device, PageTable table, long long lines)
    : device_(device), table_(std::move(table)), frame_(device, table_.Title, table_.HeadLines),
      lines_(lines), cellFont_(PageFont(9)), boldFont_(PageFont(9, true))
{
    width_ = device_.width();
    height_ = device_.height();
    const qreal cell = QFontMetricsF(cellFont_, &device_).height();
    lineHeight_ = std::ceil(cell * 1.45);
    headHeight_ = frame_.HeadHeight() + cell * 0.8 + lineHeight_;
    footHeight_ = frame_.FootHeight();
    perPage_ = std::max(1, static_cast<int>((height_ - headHeight_ - footHeight_) / lineHeight_));
}

int ListPages::PageCount() const
{
    return static_cast<int>(std::max(1LL, (lines_ + perPage_ - 1) / perPage_));
}

bool ListPages::Begin()
{
    if (!painter_.begin(&device_)) {
        return false;
    }
    StartPage();
    return true;
}

void ListPages::StartPage()
{
    if (page_ > 0) {
        device_.newPage();
    }
    ++page_;
    onPage_ = 0;
    frame_.Paint(painter_, page_, PageCount());
    const qreal y = headHeight_ - lineHeight_;
    painter_.setFont(boldFont_);
    qreal x = 0;
    for (std::size_t c = 0; c < table_.Shares.size(); ++c) {
        const qreal w = table_.Shares.at(c) * width_;
        painter_.drawText(QRectF(x, y, w, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                          table_.Headings.value(static_cast<int>(c)));
        x += w;
    }
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawLine(QPointF(0, headHeight_), QPointF(width_, headHeight_));
    painter_.setFont(cellFont_);
}

void ListPages::Add(const QStringList& cells)
{
    if (onPage_ == perPage_) {
        StartPage();
    }
    const QFontMetricsF metrics(cellFont_, &device_);
    const qreal y = headHeight_ + onPage_ * lineHeight_;
    const qreal gap = metrics.horizontalAdvance(QLatin1Char(' '));
    qreal x = 0;
    for (std::size_t c = 0; c < table_.Shares.size() && c < static_cast<std::size_t>(cells.size());
         ++c) {
        const qreal w = table_.Shares.at(c) * width_;
        painter_.drawText(
            QRectF(x, y, w - gap, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(cells.at(static_cast<int>(c)), Qt::ElideRight, w - gap));
        x += w;
    }
    painter_.setPen(QColor(190, 190, 190));
    painter_.drawLine(QPointF(0, y + lineHeight_), QPointF(width_, y + lineHeight_));
    painter_.setPen(Qt::black);
    ++onPage_;
}

void ListPages::Finish()
{
    painter_.end();
}

void ListPages::Abandon()
{
    if (auto* printer = dynamic_cast<QPrinter*>(&device_)) {
        printer->abort();
    }
}

int ListPageCount(long long lines, const journal::AttemptFilter& filter, const ListTotals& totals)
{
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    return ListPages(writer, ListTable(filter, totals), lines).PageCount();
}

} // namespace teacher
