// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/mistake_tables.h"

#include "teacher/attempt_texts.h"

namespace teacher {

namespace {

QString Words(engine::Mistake m)
{
    return QString::fromStdString(engine::MistakeWords(m));
}

} // namespace

MistakeTable PupilMistakeTable(const PupilMistakes& pupil)
{
    MistakeTable table{{QStringLiteral("Ошибка"), QStringLiteral("Попытки"), QStringLiteral("Раз"),
                        QStringLiteral("Сейчас")},
                       {2},
                       {}};
    for (const engine::MistakeHabit& habit : pupil.Habits.Habits()) {
        table.Rows << QStringList{Words(habit.Which), HabitAttemptsText(habit, pupil.Habits),
                                  QString::number(habit.Rows),
                                  QString::fromStdString(engine::HabitStateWords(habit.State))};
    }
    return table;
}

MistakeTable ClassMistakeTable(const engine::MistakeTally& tally)
{
    MistakeTable table{{QStringLiteral("Ошибка"), QStringLiteral("Учеников"), QStringLiteral("Раз"),
                        QStringLiteral("Задания")},
                       {1, 2},
                       {}};
    for (const engine::MistakeCount& m : tally.Mistakes()) {
        table.Rows << QStringList{Words(m.Which), QString::number(m.Pupils),
                                  QString::number(m.Rows), MistakeRowsText(m)};
    }
    return table;
}

MistakeTable ExerciseRowTable(const engine::MistakeTally& tally)
{
    MistakeTable table{{QStringLiteral("№"), QStringLiteral("Вид задания"), QStringLiteral("Верно"),
                        QStringLiteral("Чаще всего")},
                       {0},
                       {}};
    const auto rows = tally.Rows();
    for (int row = 0; row < engine::kAttemptRows; ++row) {
        const engine::RowSummary& s = rows.at(static_cast<std::size_t>(row));
        table.Rows << QStringList{QString::number(row + 1), QString::fromStdString(s.Kind),
                                  s.Judged == 0 ? QStringLiteral("—")
                                                : PercentText(s.RightPercent()),
                                  s.MostCommon ? Words(*s.MostCommon) : QString()};
    }
    return table;
}

QString ClassMistakesHeading(const engine::MistakeTally& tally)
{
    return tally.Mistakes().empty()
               ? QStringLiteral("В показанных попытках ошибок нет.")
               : QStringLiteral("Ошибки в показанных попытках, с самой частой: сколько учеников "
                                "её сделали, сколько раз и в каких заданиях.");
}

QString ExerciseRowsHeading()
{
    return QStringLiteral("Задания: вид, доля верных ответов и самая частая ошибка.");
}

} // namespace teacher
