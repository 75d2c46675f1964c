// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/printed_documents.h"

#include "journal/attempt_check.h"

#include "teacher/attempt_list_model.h"
#include "teacher/attempt_texts.h"
#include "teacher/stacked_fraction.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <array>

namespace teacher {

namespace {

const QString kListTitle = QStringLiteral("Журнал результатов");

QString PeriodText(const journal::AttemptFilter& filter)
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

QFont DocumentFont(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

void SetUpA4(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

void PrintAttemptList(AttemptListModel& model, QPagedPaintDevice& device)
{
    model.FetchAll();
    QTextDocument document;
    document.setDefaultFont(DocumentFont(10));
    QTextCursor cursor(&document);

    QTextCharFormat title;
    title.setFont(DocumentFont(16, true));
    cursor.insertText(kListTitle, title);
    QTextCharFormat plain;
    plain.setFont(DocumentFont(10));
    QStringList lines;
    lines << PeriodText(model.Filter());
    if (!model.Filter().PupilContains.isEmpty()) {
        lines << QStringLiteral("Ученики, в имени которых есть «%1»")
                     .arg(ShownName(model.Filter().PupilContains));
    }
    lines << QStringLiteral("Попыток: %1, средняя отметка: %2")
                 .arg(model.Totals().Count)
                 .arg(AverageText(model.Totals().AverageMark));
    lines << QStringLiteral("Напечатано %1").arg(DateTimeText(QDateTime::currentDateTimeUtc()));
    for (const QString& line : lines) {
        cursor.insertBlock();
        cursor.insertText(line, plain);
    }
    cursor.insertBlock();

    QTextTableFormat tableFormat;
    tableFormat.setHeaderRowCount(1);
    tableFormat.setCellPadding(2);
    tableFormat.setCellSpacing(0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setBorderCollapse(true);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    // Room for a whole name and a date with its time on one line each.
    QList<QTextLength> widths;
    for (const qreal percent : {19, 12, 17, 7, 11, 8, 10, 16}) {
        widths << QTextLength(QTextLength::PercentageLength, percent);
    }
    tableFormat.setColumnWidthConstraints(widths);
    const int columns = AttemptListModel::ColumnCount;
    QTextTable* table = cursor.insertTable(model.rowCount() + 1, columns, tableFormat);
    QTextCharFormat heading;
    heading.setFont(DocumentFont(9, true));
    QTextCharFormat cell;
    cell.setFont(DocumentFont(9));
    for (int c = 0; c < columns; ++c) {
        table->cellAt(0, c).firstCursorPosition().insertText(
            model.headerData(c, Qt::Horizontal).toString(), heading);
    }
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            table->cellAt(r + 1, c).firstCursorPosition().insertText(
                model.data(model.index(r, c)).toString(), cell);
        }
    }
    // Laid out on the device itself (only now: laying out every insertion at the device's
    // resolution is slow), so that the table's columns are fractions of the real page and not
    // of the page less the default 2 cm that QTextDocument::print would add to the margins.
    document.documentLayout()->setPaintDevice(&device);
    document.setPageSize(QSizeF(device.width(), device.height()));
    document.print(&device);
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
    write(QStringLiteral("Попытка теста: %1").arg(ShownName(attempt.Pupil)),
          DocumentFont(16, true));
    const QStringList facts =
        QStringList{QStringLiteral("Начало: %1").arg(DateTimeText(attempt.StartedAt))} +
        AttemptFacts(attempt, review);
    for (const QString& fact : facts) {
        write(fact, DocumentFont(11));
    }

    // The table: number, exercise, the pupil's answer, the right answer, the verdict, and under a
    // wrong row the mistake it reveals.
    const QFont text = DocumentFont(12);
    const QFont bold = DocumentFont(11, true);
    QFont note = DocumentFont(10);
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
    painter.end();
    return true;
}

namespace {

template <typename Print> bool WritePdf(const QString& path, const QString& title, Print print)
{
    // QPdfWriter says nothing about a file it cannot open, and QTextDocument::print does not
    // report a painter that did not start: so the file is tried first.
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("fraction-test"));
    writer.setResolution(300);
    SetUpA4(writer);
    return print(writer);
}

} // namespace

bool WriteListPdf(AttemptListModel& model, const QString& path)
{
    return WritePdf(path, kListTitle, [&](QPagedPaintDevice& device) {
        PrintAttemptList(model, device);
        return true;
    });
}

bool WriteAttemptPdf(const journal::StoredAttempt& attempt, const QString& path)
{
    return WritePdf(path, QStringLiteral("Попытка теста: %1").arg(ShownName(attempt.Pupil)),
                    [&](QPagedPaintDevice& device) { return PrintAttempt(attempt, device); });
}

} // namespace teacher
