// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/mistake_tally.h"

#include <algorithm>
#include <numeric>

namespace engine {

namespace {

int OperandKindCode(const Fraction& f)
{
    if (f.Numerator == 0) {
        return 0;
    }
    return f.Whole != 0 ? 2 : 1;
}

int KindCode(const RowRecord& row)
{
    const int op = row.Op == Operation::Multiply ? 0 : 1;
    return op * 9 + OperandKindCode(row.First) * 3 + OperandKindCode(row.Second);
}

} // namespace

void MistakeTally::Add(const std::string& pupil, const AttemptRecord& attempt)
{
    ++attempts_;
    const int pupilId =
        pupilIds_.try_emplace(pupil, static_cast<int>(pupilIds_.size())).first->second;
    for (int r = 0; r < kAttemptRows; ++r) {
        const RowRecord& row = attempt.Rows.at(static_cast<std::size_t>(r));
        if (!row.Right) {
            continue;
        }
        RowCounts& counts = rows_.at(static_cast<std::size_t>(r));
        ++counts.judged;
        const int kind = KindCode(row);
        if (counts.kinds.at(static_cast<std::size_t>(kind))++ == 0) {
            counts.kindWords.at(static_cast<std::size_t>(kind)) =
                ExerciseKindWords(row.Op, row.First, row.Second);
        }
        if (*row.Right) {
            ++counts.right;
            continue;
        }
        const Diagnosis d = DiagnoseRow(row);
        for (const auto* list : {&d.Mistakes, &d.Form}) {
            for (const Mistake m : *list) {
                const auto index = static_cast<std::size_t>(m);
                pupilsPerMistake_.at(index).insert(pupilId);
                ++rowsPerMistake_.at(index).at(static_cast<std::size_t>(r));
            }
        }
    }
}

std::vector<MistakeCount> MistakeTally::Mistakes() const
{
    std::vector<MistakeCount> found;
    for (int m = 0; m < kMistakeCount; ++m) {
        const auto index = static_cast<std::size_t>(m);
        const auto& perRow = rowsPerMistake_.at(index);
        const long long rows = std::accumulate(perRow.begin(), perRow.end(), 0LL);
        if (rows == 0) {
            continue;
        }
        found.push_back({static_cast<Mistake>(m),
                         static_cast<long long>(pupilsPerMistake_.at(index).size()), rows, perRow});
    }
    // Stable: mistakes with equal counts stay in the order they are declared in.
    std::stable_sort(found.begin(), found.end(), [](const MistakeCount& a, const MistakeCount& b) {
        return a.Pupils != b.Pupils ? a.Pupils > b.Pupils : a.Rows > b.Rows;
    });
    return found;
}

std::array<RowSummary, kAttemptRows> MistakeTally::Rows() const
{
    std::array<RowSummary, kAttemptRows> summaries;
    for (std::size_t r = 0; r < summaries.size(); ++r) {
        const RowCounts& counts = rows_.at(r);
        RowSummary& s = summaries.at(r);
        s.Judged = counts.judged;
        s.Right = counts.right;
        const auto commonKind = std::max_element(counts.kinds.begin(), counts.kinds.end());
        if (*commonKind > 0) {
            s.Kind =
                counts.kindWords.at(static_cast<std::size_t>(commonKind - counts.kinds.begin()));
        }
        for (int m = 0; m < kMistakeCount; ++m) {
            const long long rows = rowsPerMistake_.at(static_cast<std::size_t>(m)).at(r);
            if (rows > s.MostCommonRows) {
                s.MostCommon = static_cast<Mistake>(m);
                s.MostCommonRows = rows;
            }
        }
    }
    return summaries;
}

} // namespace engine
