// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/printed_documents.h"

#include "journal/attempt_check.h"

#include "teacher/attempt_texts.h"
#include "teacher/list_pages.h"
#include "teacher/page_frame.h"
#include "teacher/stacked_fraction.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace teacher {

void SetUpA4(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

bool PrintAttempt(const journal::StoredAttempt& attempt, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const qreal width = device.width();
    qreal y = 0;
    const auto write = [&](const QString& text, const QFont& font) {
        painter.setFont(font);
        const QRectF box =
            painter.boundingRect(QRectF(0, y, width, 1e6), Qt::AlignLeft | Qt::TextWordWrap, text);
        painter.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, text);
        y = box.bottom();
    };
    const engine::AttemptRecord& record = attempt.Record;
    // The key and the verdicts printed are the ones the answers earn (see the «Проверка» line).
    const engine::AttemptReview review = journal::CheckAttempt(attempt);
    write(QStringLiteral("Попытка теста: %1").arg(ShownName(attempt.Pupil)), PageFont(16, true));
    const QStringList facts =
        QStringList{QStringLiteral("Начало: %1").arg(DateTimeText(attempt.StartedAt))} +
        AttemptFacts(attempt, review);
    for (const QString& fact : facts) {
        write(fact, PageFont(11));
    }

    // The table: number, exercise, the pupil's answer, the right answer, the verdict, and under a
    // wrong row the mistake it reveals.
    const QFont text = PageFont(12);
    const QFont bold = PageFont(11, true);
    QFont note = PageFont(10);
    note.setItalic(true);
    const std::array<qreal, 6> columnLeft = {0, 0.06, 0.44, 0.64, 0.82, 1.0};
    const auto left = [&](std::size_t column) { return columnLeft.at(column) * width; };
    y += QFontMetricsF(text, &device).height();
    painter.setFont(bold);
    const QStringList headings = {QStringLiteral("№"), QStringLiteral("Задание"),
                                  QStringLiteral("Ответ ученика"), QStringLiteral("Верный ответ"),
                                  QStringLiteral("Проверка")};
    const qreal headingHeight = QFontMetricsF(bold, &device).height();
    for (std::size_t c = 0; c < 5; ++c) {
        painter.drawText(QRectF(left(c), y, left(c + 1) - left(c), headingHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, headings.at(static_cast<int>(c)));
    }
    y += headingHeight;
    painter.setFont(text);
    const QFontMetricsF metrics(text, &device);
    const qreal padding = metrics.height() * 0.4;
    const QColor black(Qt::black);
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        const engine::RowRecord& r = record.Rows.at(static_cast<std::size_t>(row));
        const std::optional<bool>& right = review.Right.at(static_cast<std::size_t>(row));
        const std::optional<engine::Fraction>& earnedKey =
            review.Keys.at(static_cast<std::size_t>(row));
        const StackedFraction first = StackedFrom(r.First);
        const StackedFraction second = StackedFrom(r.Second);
        const StackedFraction answer = StackedFrom(r.Typed);
        const StackedFraction key = earnedKey ? StackedFrom(*earnedKey) : StackedFraction{};
        qreal height = 0;
        for (const StackedFraction* f : {&first, &second, &answer, &key}) {
            height = std::max(height, StackedSize(*f, text, &device).height());
        }
        // With every row's mistake under it the table can outgrow one page.
        if (y + height + 2 * padding > device.height()) {
            device.newPage();
            y = 0;
        }
        painter.setPen(QColor(160, 160, 160));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        y += padding;
        const auto middle = [&](const StackedFraction& f) {
            return y + (height - StackedSize(f, text, &device).height()) / 2;
        };
        painter.setPen(black);
        const QRectF line(0, y, width, height);
        painter.drawText(QRectF(left(0), y, left(1), height), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(row + 1));
        qreal x = left(1);
        PaintStacked(painter, QPointF(x, middle(first)), first, black);
        x +=
            StackedSize(first, text, &device).width() + metrics.horizontalAdvance(QLatin1Char(' '));
        const QString sign = OperationSign(r.Op);
        painter.drawText(QRectF(x, line.top(), metrics.horizontalAdvance(sign), height),
                         Qt::AlignVCenter, sign);
        x += metrics.horizontalAdvance(sign + QLatin1Char(' '));
        PaintStacked(painter, QPointF(x, middle(second)), second, black);
        x += StackedSize(second, text, &device).width() +
             metrics.horizontalAdvance(QLatin1Char(' '));
        painter.drawText(QRectF(x, line.top(), metrics.horizontalAdvance(QLatin1Char('=')), height),
                         Qt::AlignVCenter, QStringLiteral("="));
        const QColor verdictColour = !right ? black : (*right ? RightColour() : WrongColour());
        PaintStacked(painter, QPointF(left(2), middle(answer)), answer, verdictColour);
        PaintStacked(painter, QPointF(left(3), middle(key)), key, black);
        painter.setPen(verdictColour);
        painter.drawText(QRectF(left(4), y, left(5) - left(4), height),
                         Qt::AlignLeft | Qt::AlignVCenter, VerdictText(right));
        y += height + padding;
        // What the wrong answer reveals, on a line of its own under the exercise.
        const QString mistake =
            RowMistakeText(engine::AsJudged(record, review).Rows.at(static_cast<std::size_t>(row)));
        if (!mistake.isEmpty()) {
            painter.setFont(note);
            const QRectF room(left(1), y, width - left(1), height * 4);
            const QRectF used =
                painter.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, mistake);
            painter.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, mistake);
            painter.setFont(text);
            y += used.height() + padding;
        }
    }
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    const QFont foot = PageFont(9);
    const qreal footHeight = QFontMetricsF(foot, &device).height();
    const QRectF footLine(0, device.height() - footHeight, width, footHeight);
    painter.setFont(foot);
    painter.setPen(black);
    painter.drawText(footLine, Qt::AlignLeft | Qt::AlignVCenter, TestNameLine());
    painter.drawText(footLine, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Страница 1 из 1"));
    painter.end();
    return true;
}

} // namespace teacher
