// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/day_presets.h"

#include <array>
#include <utility>

namespace teacher {

namespace {

const std::array<std::pair<DaysPreset, const char*>, 8> kKeys = {{
    {DaysPreset::Today, "today"},
    {DaysPreset::Yesterday, "yesterday"},
    {DaysPreset::ThisWeek, "week"},
    {DaysPreset::ThisMonth, "month"},
    {DaysPreset::ThisQuarter, "quarter"},
    {DaysPreset::ThisSchoolYear, "schoolYear"},
    {DaysPreset::AllDays, "all"},
    {DaysPreset::Chosen, "chosen"},
}};

} // namespace

QDate SchoolYearStart(const QDate& day)
{
    const int year = day.month() >= 9 ? day.year() : day.year() - 1;
    return {year, 9, 1};
}

QDate QuarterStart(const QDate& day)
{
    switch (day.month()) {
    case 9:
    case 10:
        return {day.year(), 9, 1};
    case 11:
    case 12:
        return {day.year(), 11, 1};
    case 1:
    case 2:
    case 3:
        return {day.year(), 1, 1};
    default:
        return {day.year(), 4, 1};
    }
}

std::optional<DayRange> DaysOf(DaysPreset preset, const QDate& today)
{
    switch (preset) {
    case DaysPreset::Today:
        return DayRange{today, today};
    case DaysPreset::Yesterday:
        return DayRange{today.addDays(-1), today.addDays(-1)};
    case DaysPreset::ThisWeek:
        // A Russian week starts on Monday, which Qt numbers 1.
        return DayRange{today.addDays(1 - today.dayOfWeek()), today};
    case DaysPreset::ThisMonth:
        return DayRange{QDate(today.year(), today.month(), 1), today};
    case DaysPreset::ThisQuarter:
        return DayRange{QuarterStart(today), today};
    case DaysPreset::ThisSchoolYear:
        return DayRange{SchoolYearStart(today), today};
    case DaysPreset::AllDays:
        return DayRange{};
    case DaysPreset::Chosen:
        break;
    }
    return std::nullopt;
}

QString PresetKey(DaysPreset preset)
{
    for (const auto& [known, key] : kKeys) {
        if (known == preset) {
            return QLatin1String(key);
        }
    }
    return {};
}

std::optional<DaysPreset> PresetFromKey(const QString& key)
{
    for (const auto& [known, name] : kKeys) {
        if (key == QLatin1String(name)) {
            return known;
        }
    }
    return std::nullopt;
}

} // namespace teacher
