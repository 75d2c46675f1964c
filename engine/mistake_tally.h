// SPDX-License-Identifier: GPL-3.0-or-later
// The mistakes of many attempts counted together, for the teacher's class view: how many
// pupils made each mistake and on which exercise rows, and for each row its kind, the share
// right and its most common mistake.
//
// Contents: MistakeCount, RowSummary, and MistakeTally, which takes attempts one at a time.
//
// Only judged rows count (a running or interrupted attempt's rows were never marked); a row
// judged right counts as right without being diagnosed, a wrong one counts towards every
// mistake its diagnosis names, ambiguous ones included.
//
// Not here: reading the journal (the caller hands attempts in) and any words but the
// diagnosis' own.
#pragma once

#include "engine/attempt_record.h"
#include "engine/mistake_diagnosis.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace engine {

struct MistakeCount {
    Mistake Which = Mistake::Other;
    // Different pupils who made it at least once.
    long long Pupils = 0;
    // Rows it was found on, in all, and on each of the ten exercise rows.
    long long Rows = 0;
    std::array<long long, kAttemptRows> PerRow{};
};

struct RowSummary {
    // The kind of exercise most often seen on the row, «смешанное число : дробь»; empty if no
    // judged row was seen.
    std::string Kind;
    long long Judged = 0;
    long long Right = 0;
    // The mistake found most often on the row and how often; unset if the row was never wrong.
    std::optional<Mistake> MostCommon;
    long long MostCommonRows = 0;

    double RightPercent() const
    {
        return Judged == 0 ? 0.0 : 100.0 * double(Right) / double(Judged);
    }
};

class MistakeTally {
public:
    // Counts one attempt of the pupil named `pupil` (any text that tells pupils apart).
    void Add(const std::string& pupil, const AttemptRecord& attempt);

    long long Attempts() const { return attempts_; }
    // Every mistake found at least once, the most pupils first, then the most rows.
    std::vector<MistakeCount> Mistakes() const;
    std::array<RowSummary, kAttemptRows> Rows() const;

private:
    // An exercise kind as a number: the operation and both operands' kinds.
    static constexpr int kKindCodes = 2 * 3 * 3;
    struct RowCounts {
        long long judged = 0;
        long long right = 0;
        std::array<long long, kKindCodes> kinds{};
        std::array<std::string, kKindCodes> kindWords;
    };

    long long attempts_ = 0;
    std::unordered_map<std::string, int> pupilIds_;
    std::array<std::unordered_set<int>, kMistakeCount> pupilsPerMistake_;
    std::array<std::array<long long, kAttemptRows>, kMistakeCount> rowsPerMistake_{};
    std::array<RowCounts, kAttemptRows> rows_;
};

} // namespace engine
