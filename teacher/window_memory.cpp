// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window_memory.h"

#include "journal/stored_attempt.h"
#include "teacher/charts_view.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>

#include <array>
#include <utility>

namespace teacher {

namespace {

// The program's settings file in the user's scope: writing never touches the administrator's.
struct TeacherSettings {
    TeacherSettings()
        : file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("fraction-test"),
               QStringLiteral("fraction-test"))
    {
        file.beginGroup(QStringLiteral("teacherWindow"));
    }
    QSettings file;
};

// The charts' choice by a word that stays the same whatever the words on screen.
const std::array<std::pair<ChartAttempts, QLatin1StringView>, 3> kChartAttemptsKeys = {{
    {ChartAttempts::Every, QLatin1StringView("every")},
    {ChartAttempts::LastOfPupil, QLatin1StringView("last")},
    {ChartAttempts::BestOfPupil, QLatin1StringView("best")},
}};

} // namespace

void RememberWindow(const RememberedParts& parts)
{
    TeacherSettings settings;
    QSettings& s = settings.file;
    s.setValue(QStringLiteral("geometry"), parts.Window->saveGeometry());
    s.setValue(QStringLiteral("state"), parts.Window->saveState());
    s.setValue(QStringLiteral("splitter"), parts.Splitter->saveState());
    if (parts.Columns) {
        s.setValue(QStringLiteral("columns"), parts.Columns->saveState());
    }
    s.setValue(QStringLiteral("tab"), parts.Tabs->currentIndex());
    const FilterBar::State filter = parts.Filters->Current();
    s.setValue(QStringLiteral("filter/days"), PresetKey(filter.Preset));
    s.setValue(QStringLiteral("filter/from"), filter.From);
    s.setValue(QStringLiteral("filter/to"), filter.To);
    s.setValue(QStringLiteral("filter/pupil"), filter.Pupil);
    s.setValue(QStringLiteral("filter/ending"),
               filter.Ending ? journal::EndingCode(*filter.Ending) : QString());
    s.setValue(QStringLiteral("filter/host"), filter.Host);
    if (parts.Charts) {
        for (const auto& [which, key] : kChartAttemptsKeys) {
            if (which == parts.Charts->Counted()) {
                s.setValue(QStringLiteral("charts/attempts"), QString(key));
            }
        }
    }
}

FilterBar::State RestoreWindow(const RememberedParts& parts, bool& placed)
{
    TeacherSettings settings;
    const QSettings& s = settings.file;
    placed = parts.Window->restoreGeometry(s.value(QStringLiteral("geometry")).toByteArray());
    parts.Window->restoreState(s.value(QStringLiteral("state")).toByteArray());
    parts.Splitter->restoreState(s.value(QStringLiteral("splitter")).toByteArray());
    if (parts.Columns) {
        parts.Columns->restoreState(s.value(QStringLiteral("columns")).toByteArray());
    }
    const int tab = s.value(QStringLiteral("tab"), 0).toInt();
    if (tab >= 0 && tab < parts.Tabs->count()) {
        parts.Tabs->setCurrentIndex(tab);
    }
    // A settings file is edited by hand too: what cannot be read is left at its start.
    if (parts.Charts) {
        const QString counted = s.value(QStringLiteral("charts/attempts")).toString();
        for (const auto& [which, key] : kChartAttemptsKeys) {
            if (counted == key) {
                parts.Charts->SetCounted(which);
            }
        }
    }
    FilterBar::State filter;
    filter.Preset = PresetFromKey(s.value(QStringLiteral("filter/days")).toString())
                        .value_or(DaysPreset::Today);
    filter.From = s.value(QStringLiteral("filter/from")).toDate();
    filter.To = s.value(QStringLiteral("filter/to")).toDate();
    filter.Pupil = journal::Bounded(s.value(QStringLiteral("filter/pupil")).toString(),
                                    journal::kMaxNameLength);
    filter.Ending = journal::EndingFromCode(s.value(QStringLiteral("filter/ending")).toString());
    filter.Host = journal::Bounded(s.value(QStringLiteral("filter/host")).toString(),
                                   journal::kMaxNameLength + 1);
    return filter;
}

void PlaceWithNothingRemembered(QMainWindow* window, QSplitter* splitter, int leftNeeds,
                                int rightNeeds)
{
    QSize size(1280, 800);
    const QSize screenSize = window->screen() ? window->screen()->availableSize() : size;
    if (screenSize.width() < size.width() || screenSize.height() < size.height()) {
        size = screenSize;
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    }
    window->resize(size);
    if (leftNeeds <= 0) {
        leftNeeds = size.width() / 2;
    }
    // Less the splitter's handle and the window's margins.
    const int room = size.width() - splitter->handleWidth() - 2 * 12;
    const int right = std::max(room / 3, std::min(rightNeeds, room - leftNeeds));
    splitter->setSizes({room - right, right});
}

} // namespace teacher
