// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/mistake_habits.h"

#include <algorithm>

namespace engine {

std::string HabitStateWords(HabitState state)
{
    switch (state) {
    case HabitState::Persists:
        return "повторяется";
    case HabitState::Stopped:
        return "больше не встречается";
    case HabitState::OnlyLatest:
        return "только в последней попытке";
    }
    return {};
}

void MistakeHabits::Add(const std::string& label, const AttemptRecord& judged)
{
    const bool anyJudged = std::any_of(judged.Rows.begin(), judged.Rows.end(),
                                       [](const RowRecord& row) { return row.Right.has_value(); });
    if (!anyJudged) {
        return;
    }
    labels_.push_back(label);
    for (auto& perAttempt : rowsPerAttempt_) {
        perAttempt.push_back(0);
    }
    for (const RowRecord& row : judged.Rows) {
        if (!row.Right || *row.Right) {
            continue;
        }
        // A row naming a mistake twice (never expected) still counts once for it.
        std::array<bool, kMistakeCount> named{};
        for (const Mistake m : DiagnoseRow(row).All()) {
            named.at(static_cast<std::size_t>(m)) = true;
        }
        for (std::size_t m = 0; m < named.size(); ++m) {
            if (named.at(m)) {
                ++rowsPerAttempt_.at(m).back();
            }
        }
    }
}

std::vector<MistakeHabit> MistakeHabits::Habits() const
{
    std::vector<MistakeHabit> habits;
    const int latest = static_cast<int>(labels_.size()) - 1;
    for (int m = 0; m < kMistakeCount; ++m) {
        const std::vector<int>& perAttempt = rowsPerAttempt_.at(static_cast<std::size_t>(m));
        MistakeHabit habit;
        habit.Which = static_cast<Mistake>(m);
        for (int a = 0; a <= latest; ++a) {
            const int rows = perAttempt.at(static_cast<std::size_t>(a));
            if (rows > 0) {
                habit.Attempts.push_back(a);
                habit.RowsInAttempt.push_back(rows);
                habit.Rows += rows;
            }
        }
        if (habit.Attempts.empty()) {
            continue;
        }
        if (habit.Attempts.back() != latest) {
            habit.State = HabitState::Stopped;
        } else {
            habit.State = habit.Attempts.size() > 1 ? HabitState::Persists : HabitState::OnlyLatest;
        }
        habits.push_back(std::move(habit));
    }
    std::stable_sort(habits.begin(), habits.end(),
                     [](const MistakeHabit& a, const MistakeHabit& b) {
                         if (a.Attempts.size() != b.Attempts.size()) {
                             return a.Attempts.size() > b.Attempts.size();
                         }
                         if (a.Rows != b.Rows) {
                             return a.Rows > b.Rows;
                         }
                         return a.Attempts.back() > b.Attempts.back();
                     });
    return habits;
}

} // namespace engine
