// SPDX-License-Identifier: GPL-3.0-or-later
// Who takes the test, as the rest of the program tells the window: whether to ask (from the
// roster's list, or typed names), the classes and pupils to offer, and what to call once the
// pupil is known, which gives the time they have. Plain data: the window knows nothing of where
// the roster is kept.
//
// Not here: the dialog itself (pupil_dialog.h), and reading or writing any roster.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace window {

struct RosterName {
    std::string PupilId; // the roster's id, handed back unchanged
    std::string Surname;
    std::string FirstName;
};

struct RosterClass {
    std::string Name;
    std::vector<RosterName> Pupils;
};

// The pupil as chosen from the list (PupilId set) or typed (PupilId empty).
struct PupilChoice {
    std::string PupilId;
    std::string Surname;
    std::string FirstName;
    std::string ClassName;

    friend bool operator==(const PupilChoice&, const PupilChoice&) = default;
};

enum class AskWho { Nobody, FromList, Typed };

struct TestTaker {
    AskWho Ask = AskWho::Nobody;
    // Called when «Начать тест» is pressed, for the list: the classes and their pupils. An
    // empty list (the roster could not be read) makes the dialog ask for typed names instead.
    std::function<std::vector<RosterClass>()> Classes;
    // Called once the pupil is known (nothing when nobody is asked), before the exercises
    // appear: gives the time allowed in seconds. Without it the test has ten minutes. Neither
    // may throw.
    std::function<int(const std::optional<PupilChoice>&)> Begin;
};

} // namespace window
