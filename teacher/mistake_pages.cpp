// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_pages.h"

#include "teacher/attempt_texts.h"
#include "teacher/list_pages.h"
#include "teacher/mistake_tables.h"
#include "teacher/page_frame.h"
#include "teacher/teacher_words.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

namespace teacher {

namespace {

using Shares = std::array<qreal, 4>;

// Shares of the width, column by column, as each table's cells need them.
constexpr Shares kPupilShares = {0.30, 0.42, 0.08, 0.20};
constexpr Shares kClassShares = {0.44, 0.13, 0.10, 0.33};
constexpr Shares kRowShares = {0.06, 0.40, 0.12, 0.42};

enum class Ink : std::uint8_t { Text, Bold, Heading, Rule };

// One thing to paint: a text in its box, or a rule along the box's top.
struct Piece {
    int Page = 0;
    QRectF Box;
    QString Text;
    Ink Style = Ink::Text;
    int Flags = 0;
};

// The pieces placed top to bottom, onto a new page when the next does not fit.
class Flow {
public:
    Flow(const QPaintDevice& device, const PageFrame& frame)
        : device_(device), text_(PageFont(10)), bold_(PageFont(10, true)),
          heading_(PageFont(11, true)), width_(device.width()),
          top_(frame.HeadHeight() + QFontMetricsF(text_, &device).height()),
          bottom_(device.height() - frame.FootHeight()),
          padding_(QFontMetricsF(text_, &device).height() * 0.25), y_(top_)
    {}

    int Pages() const { return page_ + 1; }
    const std::vector<Piece>& Pieces() const { return pieces_; }
    const QFont& FontOf(Ink ink) const
    {
        return ink == Ink::Heading ? heading_ : ink == Ink::Bold ? bold_ : text_;
    }

    // A sentence and the table it heads (none for an empty table), which starts on the same
    // page: neither the sentence nor the column headings stand alone at a page's foot.
    void Section(const QString& text, const MistakeTable& table, const Shares& shares)
    {
        const qreal textHeight = Height(text, heading_, width_);
        const qreal headingHeight = RowHeight(table.Headings, shares, bold_);
        const qreal first =
            table.Rows.isEmpty() ? 0 : headingHeight + RowHeight(table.Rows.front(), shares, text_);
        Fit(textHeight + padding_ + first);
        pieces_.push_back({page_, QRectF(0, y_, width_, textHeight), text, Ink::Heading,
                           Qt::AlignLeft | Qt::TextWordWrap});
        y_ += textHeight + padding_;
        if (table.Rows.isEmpty()) {
            y_ += 2 * padding_;
            return;
        }
        Row(table.Headings, {}, shares, Ink::Bold, headingHeight);
        for (const QStringList& cells : table.Rows) {
            // A row taller than a page is cut at the page's foot rather than painted over it.
            const qreal height =
                std::min(RowHeight(cells, shares, text_), bottom_ - top_ - headingHeight);
            if (y_ + height > bottom_) {
                NewPage();
                Row(table.Headings, {}, shares, Ink::Bold, headingHeight);
            }
            Row(cells, table.NumberColumns, shares, Ink::Text, height);
        }
        pieces_.push_back({page_, QRectF(0, y_, width_, 0), {}, Ink::Rule, 0});
        y_ += 3 * padding_;
    }

private:
    qreal Height(const QString& text, const QFont& font, qreal width) const
    {
        return QFontMetricsF(font, &device_)
            .boundingRect(QRectF(0, 0, width, 1e6), Qt::AlignLeft | Qt::TextWordWrap, text)
            .height();
    }
    qreal Gap() const { return QFontMetricsF(text_, &device_).horizontalAdvance(QLatin1Char(' ')); }
    qreal RowHeight(const QStringList& cells, const Shares& shares, const QFont& font) const
    {
        qreal height = QFontMetricsF(font, &device_).height();
        for (std::size_t c = 0; c < shares.size() && c < static_cast<std::size_t>(cells.size());
             ++c) {
            height = std::max(
                height, Height(cells.at(static_cast<int>(c)), font, shares.at(c) * width_ - Gap()));
        }
        return height + 2 * padding_;
    }
    void Row(const QStringList& cells, const QList<int>& numbers, const Shares& shares, Ink ink,
             qreal height)
    {
        pieces_.push_back({page_, QRectF(0, y_, width_, 0), {}, Ink::Rule, 0});
        qreal x = 0;
        for (std::size_t c = 0; c < shares.size() && c < static_cast<std::size_t>(cells.size());
             ++c) {
            const qreal w = shares.at(c) * width_;
            const bool number = numbers.contains(static_cast<int>(c));
            // A number set to the right keeps clear of the next column's text.
            const QRectF box(x, y_ + padding_, w - (number ? 3 : 1) * Gap(), height - 2 * padding_);
            const int align = number ? Qt::AlignRight : Qt::AlignLeft;
            pieces_.push_back({page_, box, cells.at(static_cast<int>(c)), ink,
                               align | Qt::AlignTop | Qt::TextWordWrap});
            x += w;
        }
        y_ += height;
    }
    void Fit(qreal height)
    {
        // What is taller than a whole page starts on its own page all the same.
        if (y_ + height > bottom_ && y_ > top_) {
            NewPage();
        }
    }
    void NewPage()
    {
        ++page_;
        y_ = top_;
    }

    const QPaintDevice& device_;
    QFont text_, bold_, heading_;
    qreal width_, top_, bottom_, padding_;
    qreal y_ = 0;
    int page_ = 0;
    std::vector<Piece> pieces_;
};

} // namespace

QStringList MistakeHeadLines(const journal::AttemptFilter& filter, const ListTotals& totals)
{
    QString shown = words::TotalsText(filter, totals.Count, totals.AverageMark);
    if (!filter.ClassName.isEmpty()) {
        shown += QStringLiteral("; класс: %1").arg(ShownName(filter.ClassName));
    }
    return {TestNameLine(), shown,
            QStringLiteral("Напечатано %1").arg(DateTimeText(QDateTime::currentDateTimeUtc()))};
}

int PaintMistakePages(const ShownMistakes& shown, const QStringList& headLines,
                      QPagedPaintDevice& device)
{
    const PageFrame frame(device, QStringLiteral("Типичные ошибки"), headLines);
    Flow flow(device, frame);
    if (shown.OnePupil) {
        flow.Section(PupilHabitsHeading(shown.OnePupil->Pupil, shown.OnePupil->Habits),
                     PupilMistakeTable(*shown.OnePupil), kPupilShares);
    }
    flow.Section(ClassMistakesHeading(shown.Class), ClassMistakeTable(shown.Class), kClassShares);
    flow.Section(ExerciseRowsHeading(), ExerciseRowTable(shown.Class), kRowShares);

    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    const int pages = flow.Pages();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        frame.Paint(painter, page + 1, pages);
        for (const Piece& piece : flow.Pieces()) {
            if (piece.Page != page) {
                continue;
            }
            if (piece.Style == Ink::Rule) {
                painter.setPen(QPen(QColor(170, 170, 170), 0));
                painter.drawLine(piece.Box.topLeft(), piece.Box.topRight());
                continue;
            }
            painter.setPen(Qt::black);
            painter.setFont(flow.FontOf(piece.Style));
            painter.drawText(piece.Box, piece.Flags, piece.Text);
        }
    }
    painter.end();
    return pages;
}

} // namespace teacher
