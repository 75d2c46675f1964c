// SPDX-License-Identifier: GPL-3.0-or-later
// What the teacher's window remembers between two starts: its size and place, the split
// between the list and the attempt, the list's column widths, order and sort, the open tab, the
// filter and which attempts the charts count; and where it opens when nothing is remembered. It is
// kept in the user's own settings file (the one journal_settings.h names,
// ~/.config/fraction-test/fraction-test.ini), in the group [teacherWindow], apart from the
// journal's settings.
//
// It neither opens a journal nor applies a filter: it reads and writes the settings file, and
// sets the widgets it is given.
#pragma once

#include "teacher/filter_bar.h"

namespace teacher {
class ChartsView;
}

class QHeaderView;
class QMainWindow;
class QSplitter;
class QTabWidget;

namespace teacher {

struct RememberedParts {
    QMainWindow* Window = nullptr;
    QSplitter* Splitter = nullptr;
    QHeaderView* Columns = nullptr; // null while no journal is open
    QTabWidget* Tabs = nullptr;
    FilterBar* Filters = nullptr;
    ChartsView* Charts = nullptr;
};

void RememberWindow(const RememberedParts& parts);

// Sets what was remembered; returns the filter state to start with (today's attempts when
// nothing was). False in `placed` when no size was remembered, so the window chooses one.
FilterBar::State RestoreWindow(const RememberedParts& parts, bool& placed);

// Where a window opens with nothing remembered: 1280×800, or maximised on a smaller screen (a
// netbook, a laptop at 200 %); the split gives the right pane the width it needs as long as the
// left keeps `leftNeeds`.
void PlaceWithNothingRemembered(QMainWindow* window, QSplitter* splitter, int leftNeeds,
                                int rightNeeds);

} // namespace teacher
