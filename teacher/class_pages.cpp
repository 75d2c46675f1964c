// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/class_pages.h"

#include "journal/journal_error.h"
#include "journal/roster.h"
#include "teacher/attempt_texts.h"
#include "teacher/export_job.h"
#include "teacher/list_pages.h"

namespace teacher {

QString ChoiceWords(journal::MarkChoice choice)
{
    return choice == journal::MarkChoice::Best ? QStringLiteral("лучшая попытка")
                                               : QStringLiteral("последняя попытка");
}

QStringList ClassLineCells(const journal::PupilResult& line)
{
    const QString mark = line.Attempts == 0 ? QStringLiteral("не проходил(а)")
                         : line.Mark        ? QString::number(*line.Mark)
                                            : QStringLiteral("без оценки");
    return {ShownName(journal::FullName(line.Pupil)), mark,
            line.Seconds ? DurationText(*line.Seconds) : QString(), QString::number(line.Attempts)};
}

QString ClassSummaryText(const journal::ClassResults& results)
{
    const auto& n = results.Counts;
    return QStringLiteral("Средняя отметка: %1. Пятёрок: %2, четвёрок: %3, троек: %4, двоек: %5.")
        .arg(AverageText(results.Mean))
        .arg(n[3])
        .arg(n[2])
        .arg(n[1])
        .arg(n[0]);
}

void PaintClass(const ClassSheet& sheet, QPagedPaintDevice& device, JobContext* context)
{
    PageTable table{QStringLiteral("Результаты класса %1").arg(sheet.ClassName),
                    {TestNameLine(),
                     QStringLiteral("%1; оценка за: %2; напечатано %3")
                         .arg(DaysText(sheet.Days), ChoiceWords(sheet.Choice),
                              DateTimeText(QDateTime::currentDateTimeUtc())),
                     ClassSummaryText(sheet.Results)},
                    {QStringLiteral("Ученик"), QStringLiteral("Отметка"), QStringLiteral("Время"),
                     QStringLiteral("Попыток")},
                    {0.52, 0.20, 0.14, 0.14}};
    const auto lines = static_cast<long long>(sheet.Results.Lines.size());
    ListPages pages(device, std::move(table), lines);
    if (!pages.Begin()) {
        throw journal::JournalError("Страницы не удалось нарисовать.");
    }
    long long done = 0;
    try {
        for (const journal::PupilResult& line : sheet.Results.Lines) {
            if (context != nullptr) {
                context->StopIfCancelled();
            }
            pages.Add(ClassLineCells(line));
            if (context != nullptr) {
                context->Progress(++done, lines);
            }
        }
        if (context != nullptr) {
            context->StopIfCancelled();
        }
    } catch (const JobCancelled&) {
        pages.Abandon();
        throw;
    }
    pages.Finish();
}

} // namespace teacher
