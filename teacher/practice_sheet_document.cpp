// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/practice_sheet_document.h"

#include "teacher/printed_documents.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextDocument>

namespace teacher {

namespace {

QString Html(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

// A heading starts with a capital: «Не перевёрнут делитель».
QString Capitalised(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

QString ExerciseText(const engine::ShownRow& e)
{
    return Html(engine::FractionText(e.First)) +
           (e.Op == engine::Operation::Multiply ? QStringLiteral(" · ") : QStringLiteral(" : ")) +
           Html(engine::FractionText(e.Second));
}

} // namespace

QString PracticeSheetHtml(const QString& pupil, const engine::PracticeSheet& sheet)
{
    QString html =
        QStringLiteral("<h2>Лист для тренировки</h2><p>Ученик: %1</p>").arg(pupil.toHtmlEscaped());
    for (const engine::MistakeLesson& lesson : sheet.Lessons) {
        const engine::ShownRow& e = lesson.Example.Exercise;
        html +=
            QStringLiteral("<h3>%1</h3><p>%2</p><p>Пример: %3.<br>С этой ошибкой "
                           "получилось бы %4.</p>")
                .arg(Capitalised(Html(engine::MistakeWords(lesson.Which))),
                     Html(engine::MistakeExplanation(lesson.Which)), Html(engine::WorkedSteps(e)),
                     Html(engine::WrongResultText(e, lesson.Which)));
    }
    html += QStringLiteral("<h3>Реши сам</h3><p>Запиши ответ смешанным числом или "
                           "несократимой дробью.</p><table cellpadding=\"10\">");
    for (std::size_t i = 0; i < sheet.Exercises.size(); ++i) {
        html += QStringLiteral("<tr><td>%1)</td><td>%2 = ____________</td></tr>")
                    .arg(i + 1)
                    .arg(ExerciseText(sheet.Exercises.at(i).Exercise));
    }
    html += QStringLiteral("</table>");
    html += QStringLiteral("<h2 style=\"page-break-before: always\">Ответы (для учителя)</h2>"
                           "<p>Ученик: %1</p><table cellpadding=\"6\">")
                .arg(pupil.toHtmlEscaped());
    for (std::size_t i = 0; i < sheet.Exercises.size(); ++i) {
        const engine::ShownRow& e = sheet.Exercises.at(i).Exercise;
        html += QStringLiteral("<tr><td>%1)</td><td>%2 = %3</td><td>задание %4 теста</td></tr>")
                    .arg(i + 1)
                    .arg(ExerciseText(e), Html(engine::FractionText(e.Key)))
                    .arg(sheet.Exercises.at(i).Row + 1);
    }
    html += QStringLiteral("</table>");
    return html;
}

bool PrintPracticeSheet(const QString& pupil, const engine::PracticeSheet& sheet,
                        QPagedPaintDevice& device)
{
    QTextDocument document;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(12);
    document.setDefaultFont(font);
    document.setHtml(PracticeSheetHtml(pupil, sheet));
    document.documentLayout()->setPaintDevice(&device);
    document.setPageSize(QSizeF(device.width(), device.height()));
    document.print(&device);
    return true;
}

bool WritePracticeSheetPdf(const QString& pupil, const engine::PracticeSheet& sheet,
                           const QString& path)
{
    // QPdfWriter says nothing about a file it cannot open: the file is tried first.
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("Лист для тренировки: %1").arg(pupil));
    writer.setCreator(QStringLiteral("fraction-test"));
    writer.setResolution(300);
    SetUpA4(writer);
    return PrintPracticeSheet(pupil, sheet, writer);
}

} // namespace teacher
