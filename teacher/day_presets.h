// SPDX-License-Identifier: GPL-3.0-or-later
// The days a teacher picks with one click — today, yesterday, this week, this month, this
// school quarter, this school year, all days — as the first and last date they cover, and the
// key each is remembered by in the settings file.
//
// A Russian school year runs from 1 September to 31 August. Its quarters are taken as fixed
// stretches that meet at the usual holidays, so that every day of the year belongs to one:
//   first  1 September – 31 October  (the autumn holidays start at the end of October),
//   second 1 November – 31 December  (the winter holidays start at the end of December),
//   third  1 January – 31 March      (the spring holidays fall in the last week of March),
//   fourth 1 April – 31 August       (lessons end in late May; the summer counts with it, so
//                                     that in June «эта четверть» still shows the last one).
// A school's own calendar moves these by a few days of holidays, when no tests are written.
//
// The names shown for the presets are in teacher_words.h; nothing here reads the clock (the
// caller gives today) or a journal.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace teacher {

enum class DaysPreset {
    Today,
    Yesterday,
    ThisWeek,
    ThisMonth,
    ThisQuarter,
    ThisSchoolYear,
    AllDays,
    Chosen, // the dates the teacher set by hand
};

inline constexpr DaysPreset kPresetsListed[] = {
    DaysPreset::Today,     DaysPreset::Yesterday,   DaysPreset::ThisWeek,
    DaysPreset::ThisMonth, DaysPreset::ThisQuarter, DaysPreset::ThisSchoolYear,
    DaysPreset::AllDays,   DaysPreset::Chosen,
};

// From and To are inclusive; both invalid for all days. The presets that begin in the past end
// today (a week, a month, a quarter, a year so far). Chosen gives nothing: its dates are the
// teacher's.
struct DayRange {
    QDate From, To;
    friend bool operator==(const DayRange&, const DayRange&) = default;
};
std::optional<DayRange> DaysOf(DaysPreset preset, const QDate& today);

// The first day of the school quarter and of the school year `day` belongs to.
QDate QuarterStart(const QDate& day);
QDate SchoolYearStart(const QDate& day);

// "today", "yesterday", "week", "month", "quarter", "schoolYear", "all", "chosen".
QString PresetKey(DaysPreset preset);
// Nothing for a key this program does not know.
std::optional<DaysPreset> PresetFromKey(const QString& key);

} // namespace teacher
