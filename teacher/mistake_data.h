// SPDX-License-Identifier: GPL-3.0-or-later
// The class's mistakes over what a filter lets through: the attempts read from the journal and
// counted by the engine's MistakeTally, pupils told apart by their names.
//
// Only reads. It neither diagnoses nor counts by itself (engine/mistake_tally.h does) and draws
// nothing (mistakes_view.h). Throws journal::JournalError, in Russian, when the journal cannot
// be read.
#pragma once

#include "engine/mistake_tally.h"
#include "journal/attempt_filter.h"
#include "journal/journal_database.h"

namespace teacher {

engine::MistakeTally TallyMistakes(const journal::Connection& c, const journal::AttemptFilter& f);

} // namespace teacher
