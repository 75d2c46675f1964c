// SPDX-License-Identifier: GPL-3.0-or-later
// The typical mistakes' tables as cells of text, for the «Типичные ошибки» pane and its printed
// pages alike, so that paper and screen show the same: the one pupil's mistakes across attempts,
// the class's mistakes largest first with their pupils and rows, and the ten exercise rows with
// their kind, share right and most common mistake; each with the sentence that heads it.
//
// MistakeTable         a table's headings, its number columns and its rows of cells
// PupilMistakeTable, ClassMistakeTable, ExerciseRowTable   the three tables
// ClassMistakesHeading, ExerciseRowsHeading                the sentences over the class's tables
//
// It draws nothing and counts nothing: the counts are the engine's (mistake_data.h hands them).
#pragma once

#include "teacher/mistake_data.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teacher {

struct MistakeTable {
    QStringList Headings;
    // Columns that hold counts, set to the right.
    QList<int> NumberColumns;
    QList<QStringList> Rows;
};

// «Ошибка», «Попытки», «Раз», «Сейчас»: each of the pupil's mistakes, the most persistent first.
MistakeTable PupilMistakeTable(const PupilMistakes& pupil);
// «Ошибка», «Учеников», «Раз», «Задания»: the most pupils first.
MistakeTable ClassMistakeTable(const engine::MistakeTally& tally);
// «№», «Вид задания», «Верно», «Чаще всего»: the ten rows in order.
MistakeTable ExerciseRowTable(const engine::MistakeTally& tally);

// "В показанных попытках ошибок нет." or what the class's table shows.
QString ClassMistakesHeading(const engine::MistakeTally& tally);
// What the rows' table shows.
QString ExerciseRowsHeading();

} // namespace teacher
