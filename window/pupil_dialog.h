// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialog that asks who takes the test before it starts: the class, then the pupil
// from the roster's list (typing a few letters narrows it), or the surname, first name and
// class typed in; «Начать» and «Отмена». Keyboard alone works: each field has its letter
// (Alt+К, Alt+У, Alt+Ф, Alt+И), arrows move in the list from the narrowing field, Enter in the
// class box goes on to the pupil field, Enter elsewhere starts once somebody is chosen (typed
// letters or an arrow choose; nobody is chosen when the dialog opens), and Esc cancels. Every
// field has a name a screen reader says.
//
// Not here: where the classes come from and what is done with the choice (the caller's).
#pragma once

#include "window/test_taker.h"

#include <memory>
#include <optional>
#include <vector>

class QDialog;

namespace window {

// The dialog, not shown yet. FromList with no classes asks for typed names and says the list
// could not be read.
std::unique_ptr<QDialog> MakePupilDialog(AskWho ask, const std::vector<RosterClass>& classes);

// What the dialog holds now: the chosen or typed pupil, or nothing while it is incomplete.
std::optional<PupilChoice> ChoiceIn(const QDialog& dialog);

// Shows the dialog over the active window and waits for it; nothing when it was cancelled.
std::optional<PupilChoice> AskWhoTakesTheTest(AskWho ask, const std::vector<RosterClass>& classes);

} // namespace window
