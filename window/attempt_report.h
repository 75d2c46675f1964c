// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tells the rest of the program about the test it holds: a plain record of the
// attempt, read off the controls as the pupil sees them (RecordOfAttempt), and the callback it
// is handed to (TestReport).
//
// Not here: keeping the record anywhere; the window knows nothing of storage.
#pragma once

#include "core/int16_arithmetic.h"
#include "engine/attempt_record.h"
#include "engine/task_generator.h"
#include "window/main_window_layout.h"

#include <functional>
#include <string>

namespace window {

// Called when a test starts, as the pupil changes an answer, every second while it runs, and
// when it is handed in or the time runs out. It must not throw.
using TestReport = std::function<void(const engine::AttemptRecord&)>;

// The attempt as the window shows it now: the exercises and the key from the labels, the typed
// texts from the boxes and, once judged, the verdicts, the count and the mark.
engine::AttemptRecord RecordOfAttempt(const MainWindowLayout& w, const engine::TaskOpsTable& ops,
                                      core::Int16 secondsAllowed, core::Int16 secondsLeft,
                                      const std::string& gradeText, engine::AttemptEnd end);

} // namespace window
