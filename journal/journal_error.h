// SPDX-License-Identifier: GPL-3.0-or-later
// The one exception the journal throws: a store operation that failed. Its text is plain
// Russian (UTF-8), fit to show a teacher or to write to standard error as it is.
//
// It is not thrown for settings that cannot be used or a journal that cannot be opened: those
// come back as OpenResult::Problem (journal_database.h).
#pragma once

#include <stdexcept>

namespace journal {

class JournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace journal
