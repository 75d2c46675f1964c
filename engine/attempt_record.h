// SPDX-License-Identifier: GPL-3.0-or-later
// The plain record of one attempt at the test, as the window reports it: the ten exercises as
// shown, what the pupil typed, and, once judged, the verdicts and the mark.
//
// It holds no identity, no clock time and nothing about storage: who took the test, on which
// computer and when is added by whoever keeps the record (the journal).
#pragma once

#include "engine/fraction.h"
#include "engine/operation.h"

#include <array>
#include <optional>
#include <string>

namespace engine {

inline constexpr int kAttemptRows = 10;

// How an attempt stands. Running until it is handed in or the time runs out; an attempt cut
// off before either (the window closed, "Выход", the program killed) is Interrupted.
enum class AttemptEnd { Running, HandedIn, TimedOut, Interrupted };

// The three texts the pupil typed into a row's boxes, exactly as typed (not read as numbers).
struct TypedAnswer {
    std::string Whole;
    std::string Numerator;
    std::string Denominator;

    friend bool operator==(const TypedAnswer&, const TypedAnswer&) = default;
};

struct RowRecord {
    Operation Op = Operation::Multiply;
    // The operands and the answer key in the normal form they are shown in.
    Fraction First;
    Fraction Second;
    Fraction Key;
    TypedAnswer Typed;
    // Unset until the row is judged.
    std::optional<bool> Right;

    friend bool operator==(const RowRecord&, const RowRecord&) = default;
};

struct AttemptRecord {
    std::array<RowRecord, kAttemptRows> Rows{};
    AttemptEnd End = AttemptEnd::Running;
    // The time the pupil had, in seconds: the test's ten minutes unless the roster gives the
    // pupil or the class another time.
    int SecondsAllowed = 600;
    // Seconds of SecondsAllowed used so far (all of them at a time-out).
    int SecondsUsed = 0;
    // Set once the test is judged; empty before.
    std::optional<int> RightCount;
    std::string GradeText;
    std::optional<int> Mark;

    friend bool operator==(const AttemptRecord&, const AttemptRecord&) = default;
};

} // namespace engine
