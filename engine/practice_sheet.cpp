// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/practice_sheet.h"

#include "engine/mistake_habits.h"
#include "engine/task_generator.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

namespace engine {

namespace {

// Draws tried for one exercise before giving up on a kind of row.
constexpr int kDrawsPerExercise = 100;

std::int64_t ImproperNumerator(const Fraction& f)
{
    return std::int64_t{f.Whole} * f.Denominator + f.Numerator;
}

// The answer as the improper forms multiply out, before any reducing: "numerator/denominator".
std::pair<std::int64_t, std::int64_t> UnreducedAnswer(const ShownRow& e)
{
    const std::int64_t a = ImproperNumerator(e.First);
    const std::int64_t b = ImproperNumerator(e.Second);
    if (e.Op == Operation::Multiply) {
        return {a * b, std::int64_t{e.First.Denominator} * e.Second.Denominator};
    }
    return {a * e.Second.Denominator, std::int64_t{e.First.Denominator} * b};
}

std::string ImproperText(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 1) {
        return std::to_string(numerator);
    }
    return std::to_string(numerator) + "/" + std::to_string(denominator);
}

// The value a rule gives on the exercise that no other rule gives and that is not the answer.
std::optional<Ratio> OwnValue(const ShownRow& e, Mistake m)
{
    const Ratio right = RightValue(e.Op, e.First, e.Second);
    const std::vector<RuleValue> rules = RuleValues(e.Op, e.First, e.Second);
    for (const RuleValue& rule : rules) {
        if (rule.Rule != m || rule.Value == right || rule.Value.Num <= 0) {
            continue;
        }
        const bool shared = std::any_of(rules.begin(), rules.end(), [&](const RuleValue& other) {
            return other.Rule != m && other.Value == rule.Value;
        });
        if (!shared) {
            return rule.Value;
        }
    }
    return std::nullopt;
}

bool SameExercise(const PracticeExercise& a, const PracticeExercise& b)
{
    return a.Row == b.Row && a.Exercise.First == b.Exercise.First &&
           a.Exercise.Second == b.Exercise.Second;
}

class Drawer {
public:
    Drawer(core::RandomSource& random, std::vector<PracticeExercise> seen)
        : random_(random), seen_(std::move(seen))
    {}

    // A new exercise of row `row` that shows `m`; one already used only if no new one comes.
    std::optional<PracticeExercise> Next(Mistake m, int row)
    {
        std::optional<PracticeExercise> repeat;
        for (int i = 0; i < kDrawsPerExercise; ++i) {
            const Exercise e = DrawExercise(row, random_);
            PracticeExercise p{{e.Op, ShownForm(e.First), ShownForm(e.Second), ShownForm(e.Answer)},
                               row};
            if (!ShowsMistake(p.Exercise, m)) {
                continue;
            }
            const bool used = std::any_of(seen_.begin(), seen_.end(),
                                          [&](const auto& s) { return SameExercise(s, p); });
            if (!used) {
                seen_.push_back(p);
                return p;
            }
            repeat = p;
        }
        return repeat;
    }

private:
    core::RandomSource& random_;
    std::vector<PracticeExercise> seen_;
};

struct Need {
    Mistake which;
    std::vector<int> rows;
    // Turns at the exercises in each round.
    int turns = 1;
};

// The mistakes a sheet can practise among those a judged wrong row shows.
std::vector<Mistake> PractisableMistakes(const RowRecord& row)
{
    std::vector<Mistake> found;
    if (!row.Right || *row.Right) {
        return found;
    }
    for (const Mistake m : DiagnoseRow(row).All()) {
        if (!MistakeExplanation(m).empty()) {
            found.push_back(m);
        }
    }
    return found;
}

void AddExercisesOf(const AttemptRecord& attempt, std::vector<PracticeExercise>& seen)
{
    for (int r = 0; r < kAttemptRows; ++r) {
        const RowRecord& row = attempt.Rows.at(static_cast<std::size_t>(r));
        seen.push_back({{row.Op, row.First, row.Second, row.Key}, r});
    }
}

// A lesson per mistake, on the first of its rows, then the exercises: the mistakes take turns,
// each as many as it is given in a round, going round the rows it was made on.
PracticeSheet SheetFor(const std::vector<Need>& needs, std::vector<PracticeExercise> seen,
                       core::RandomSource& random)
{
    PracticeSheet sheet;
    Drawer drawer(random, std::move(seen));
    for (const Need& need : needs) {
        if (const auto example = drawer.Next(need.which, need.rows.front())) {
            sheet.Lessons.push_back({need.which, *example});
        }
    }
    std::vector<std::size_t> round;
    for (std::size_t i = 0; i < needs.size(); ++i) {
        round.insert(round.end(), static_cast<std::size_t>(needs.at(i).turns), i);
    }
    std::vector<std::size_t> taken(needs.size(), 0);
    for (int turn = 0; turn < kPracticeExercises * 4 && !round.empty() &&
                       static_cast<int>(sheet.Exercises.size()) < kPracticeExercises;
         ++turn) {
        const std::size_t which = round.at(static_cast<std::size_t>(turn) % round.size());
        const Need& need = needs.at(which);
        const int row = need.rows.at(taken.at(which)++ % need.rows.size());
        if (const auto exercise = drawer.Next(need.which, row)) {
            sheet.Exercises.push_back(*exercise);
        }
    }
    return sheet;
}

int StateRank(HabitState state)
{
    switch (state) {
    case HabitState::Persists:
        return 0;
    case HabitState::OnlyLatest:
        return 1;
    case HabitState::Stopped:
        break;
    }
    return 2;
}

} // namespace

std::string MistakeExplanation(Mistake m)
{
    switch (m) {
    case Mistake::DivisorNotTurned:
        return "Чтобы разделить на дробь, умножь на дробь, перевёрнутую вверх ногами: "
               "переверни делитель — второе число.";
    case Mistake::AnswerUpsideDown:
        return "Переворачивают только делитель — второе число. Первое число остаётся как есть.";
    case Mistake::BothTurned:
        return "Переворачивают только делитель — второе число. Первое число не трогай.";
    case Mistake::TurnedInMultiplication:
        return "При умножении ничего не переворачивают: числитель умножают на числитель, "
               "знаменатель — на знаменатель.";
    case Mistake::PartsSeparately:
        return "Целые части и дроби нельзя умножать и делить по отдельности. Сначала обрати "
               "смешанные числа в неправильные дроби.";
    case Mistake::MixedConvertedWrongly:
        return "Чтобы обратить смешанное число в дробь, умножь целую часть на знаменатель и "
               "прибавь числитель: 2 1/3 = (2 · 3 + 1)/3 = 7/3.";
    case Mistake::OnlyWholeParts:
        return "Дробные части тоже считаются. Обрати смешанные числа в неправильные дроби и "
               "только потом умножай или дели.";
    case Mistake::CommonDenominatorKept:
        return "При умножении знаменатели тоже перемножают, даже одинаковые: "
               "1/5 · 2/5 = 2/25.";
    case Mistake::NotReduced:
        return "Сократи ответ: раздели числитель и знаменатель на их общий делитель.";
    case Mistake::WholeNotTakenOut:
        return "Если числитель не меньше знаменателя, выдели целую часть: 9/4 = 2 1/4.";
    case Mistake::OddForm:
    case Mistake::NoAnswer:
    case Mistake::NotANumber:
    case Mistake::Other:
        break;
    }
    return {};
}

bool ShowsMistake(const ShownRow& exercise, Mistake m)
{
    switch (m) {
    case Mistake::NotReduced: {
        const auto [numerator, denominator] = UnreducedAnswer(exercise);
        return std::gcd(numerator, denominator) > 1;
    }
    case Mistake::WholeNotTakenOut: {
        const Ratio right = RightValue(exercise.Op, exercise.First, exercise.Second);
        return right.Num > right.Den && right.Den > 1;
    }
    default:
        return !MistakeExplanation(m).empty() && OwnValue(exercise, m).has_value();
    }
}

std::string MixedText(const Ratio& value)
{
    const std::int64_t whole = value.Num / value.Den;
    const std::int64_t numerator = value.Num % value.Den;
    if (numerator == 0) {
        return std::to_string(whole);
    }
    const std::string part = ImproperText(numerator, value.Den);
    return whole == 0 ? part : std::to_string(whole) + " " + part;
}

std::string WorkedSteps(const ShownRow& e)
{
    const bool times = e.Op == Operation::Multiply;
    const std::string shown =
        FractionText(e.First) + (times ? " · " : " : ") + FractionText(e.Second);
    const std::int64_t secondNumerator = ImproperNumerator(e.Second);
    const std::string turned = times ? ImproperText(secondNumerator, e.Second.Denominator)
                                     : ImproperText(e.Second.Denominator, secondNumerator);
    const std::string improper =
        ImproperText(ImproperNumerator(e.First), e.First.Denominator) + " · " + turned;
    const auto [numerator, denominator] = UnreducedAnswer(e);
    const std::string product = ImproperText(numerator, denominator);
    const std::string answer = MixedText(RightValue(e.Op, e.First, e.Second));
    std::vector<std::string> steps{shown, improper, product, answer};
    // A step that writes the same as the one before it says nothing new.
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    std::string text;
    for (const std::string& step : steps) {
        text += text.empty() ? step : " = " + step;
    }
    return text;
}

std::string WrongResultText(const ShownRow& e, Mistake m)
{
    if (m == Mistake::NotReduced) {
        const auto [numerator, denominator] = UnreducedAnswer(e);
        return ImproperText(numerator, denominator);
    }
    if (m == Mistake::WholeNotTakenOut) {
        const Ratio right = RightValue(e.Op, e.First, e.Second);
        return ImproperText(right.Num, right.Den);
    }
    const std::optional<Ratio> wrong = OwnValue(e, m);
    return wrong ? MixedText(*wrong) : std::string{};
}

bool HasMistakesToPractise(const AttemptRecord& attempt)
{
    return std::any_of(attempt.Rows.begin(), attempt.Rows.end(),
                       [](const RowRecord& row) { return !PractisableMistakes(row).empty(); });
}

bool HasMistakesToPractise(const std::vector<AttemptRecord>& attempts)
{
    return std::any_of(attempts.begin(), attempts.end(),
                       [](const AttemptRecord& a) { return HasMistakesToPractise(a); });
}

PracticeSheet MakePracticeSheet(const AttemptRecord& attempt, core::RandomSource& random)
{
    std::vector<Need> needs;
    std::vector<PracticeExercise> seen;
    AddExercisesOf(attempt, seen);
    for (int r = 0; r < kAttemptRows; ++r) {
        for (const Mistake m : PractisableMistakes(attempt.Rows.at(static_cast<std::size_t>(r)))) {
            auto need = std::find_if(needs.begin(), needs.end(),
                                     [&](const Need& n) { return n.which == m; });
            if (need == needs.end()) {
                needs.push_back({m, {}});
                need = std::prev(needs.end());
            }
            need->rows.push_back(r);
        }
    }
    return SheetFor(needs, std::move(seen), random);
}

PracticeSheet MakeHistoryPracticeSheet(const std::vector<AttemptRecord>& attempts,
                                       core::RandomSource& random)
{
    MistakeHabits habits;
    std::vector<PracticeExercise> seen;
    // Per mistake, its rows from the latest attempt back, each row once.
    std::array<std::vector<int>, kMistakeCount> rows;
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        habits.Add(std::to_string(i), attempts.at(i));
        AddExercisesOf(attempts.at(i), seen);
    }
    for (auto attempt = attempts.rbegin(); attempt != attempts.rend(); ++attempt) {
        for (int r = 0; r < kAttemptRows; ++r) {
            for (const Mistake m :
                 PractisableMistakes(attempt->Rows.at(static_cast<std::size_t>(r)))) {
                std::vector<int>& its = rows.at(static_cast<std::size_t>(m));
                if (std::find(its.begin(), its.end(), r) == its.end()) {
                    its.push_back(r);
                }
            }
        }
    }
    std::vector<MistakeHabit> ordered = habits.Habits();
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        return StateRank(a.State) < StateRank(b.State);
    });
    std::vector<Need> needs;
    for (const MistakeHabit& habit : ordered) {
        const std::vector<int>& its = rows.at(static_cast<std::size_t>(habit.Which));
        if (!its.empty()) {
            needs.push_back({habit.Which, its, habit.State == HabitState::Persists ? 2 : 1});
        }
    }
    return SheetFor(needs, std::move(seen), random);
}

} // namespace engine
