// SPDX-License-Identifier: GPL-3.0-or-later
// Diagnosing a school's worth of attempts: 100 000 generated attempts (a million rows) with
// answers a class might type (mostly right, many with a known mistake, some unreduced, some
// wrong in no known way, some empty), counted into one MistakeTally; and one row diagnosed on
// its own.
#include "core/random_source.h"
#include "engine/mistake_tally.h"
#include "engine/shown_exercise.h"
#include "engine/task_generator.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kAttempts = 100'000;
constexpr int kPupils = 3'000;

// A fixed seed, so every run diagnoses the same attempts.
class SeededSource final : public core::RandomSource {
public:
    void Reseed(float seed) override { generator_.seed(static_cast<unsigned>(seed)); }
    float Next() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(generator_); }
    std::mt19937& Generator() { return generator_; }

private:
    std::mt19937 generator_{17};
};

engine::TypedAnswer TypedOf(const engine::Ratio& v)
{
    const std::int64_t numerator = v.Num % v.Den;
    return {std::to_string(v.Num / v.Den), std::to_string(numerator),
            std::to_string(numerator == 0 ? 1 : v.Den)};
}

engine::RowRecord AnsweredRow(int row, SeededSource& random)
{
    const engine::Exercise e = engine::DrawExercise(row, random);
    engine::RowRecord r;
    r.Op = e.Op;
    r.First = engine::ShownForm(e.First);
    r.Second = engine::ShownForm(e.Second);
    r.Key = engine::ShownForm(e.Answer);
    const engine::Ratio right = engine::RightValue(r.Op, r.First, r.Second);
    const int choice = std::uniform_int_distribution<int>(0, 99)(random.Generator());
    if (choice < 50) {
        r.Typed = TypedOf(right);
    } else if (choice < 80) {
        const auto rules = engine::RuleValues(r.Op, r.First, r.Second);
        auto pick = std::uniform_int_distribution<std::size_t>(0, rules.size() - 1);
        r.Typed = TypedOf(rules.at(pick(random.Generator())).Value);
    } else if (choice < 88) {
        r.Typed = {"0", std::to_string(right.Num * 2), std::to_string(right.Den * 2)};
    } else if (choice < 96) {
        r.Typed = TypedOf(right + engine::MakeRatio(1, 7));
    } else {
        r.Typed = {"0", "0", "1"};
    }
    r.Right = r.Typed == TypedOf(right);
    return r;
}

struct School {
    std::vector<std::string> pupils;
    std::vector<engine::AttemptRecord> attempts;
};

const School& TheSchool()
{
    static const School school = [] {
        School s;
        SeededSource random;
        for (int p = 0; p < kPupils; ++p) {
            s.pupils.push_back("Ученик " + std::to_string(p));
        }
        s.attempts.resize(kAttempts);
        for (auto& attempt : s.attempts) {
            for (int row = 0; row < engine::kAttemptRows; ++row) {
                attempt.Rows.at(static_cast<std::size_t>(row)) = AnsweredRow(row, random);
            }
            attempt.End = engine::AttemptEnd::HandedIn;
        }
        return s;
    }();
    return school;
}

void TallyHundredThousandAttempts(benchmark::State& state)
{
    const School& school = TheSchool();
    for (auto _ : state) {
        engine::MistakeTally tally;
        for (std::size_t i = 0; i < school.attempts.size(); ++i) {
            tally.Add(school.pupils[i % school.pupils.size()], school.attempts[i]);
        }
        benchmark::DoNotOptimize(tally.Mistakes());
        benchmark::DoNotOptimize(tally.Rows());
    }
    state.SetItemsProcessed(state.iterations() * kAttempts * engine::kAttemptRows);
}
BENCHMARK(TallyHundredThousandAttempts)->Unit(benchmark::kMillisecond);

void DiagnoseEveryRowOnce(benchmark::State& state)
{
    const School& school = TheSchool();
    for (auto _ : state) {
        long long mistakes = 0;
        for (const auto& attempt : school.attempts) {
            for (const auto& row : attempt.Rows) {
                mistakes += static_cast<long long>(engine::DiagnoseRow(row).All().size());
            }
        }
        benchmark::DoNotOptimize(mistakes);
    }
    state.SetItemsProcessed(state.iterations() * kAttempts * engine::kAttemptRows);
}
BENCHMARK(DiagnoseEveryRowOnce)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
