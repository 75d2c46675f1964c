// SPDX-License-Identifier: GPL-3.0-or-later
// Which kind of database a journal connection is on. The SQL that differs between the two
// (upserts, text search, time formatting) is chosen by this.
#pragma once

namespace journal {

enum class Backend { Sqlite, Postgres };

} // namespace journal
