// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's side of one whole test: generating the ten exercises, and marking ten answers
// read back from their texts.
#include "core/conversions.h"
#include "core/random_source.h"
#include "engine/answer_check.h"
#include "engine/task_generator.h"

#include <benchmark/benchmark.h>

namespace {

using engine::Fraction;

// Collects what the window would show: each row's operand and answer texts.
engine::TestTexts GenerateTest(core::RandomSource& random, engine::TaskOpsTable& taskOps)
{
    engine::TestTexts texts;
    engine::GenerateTasks(taskOps, random,
                          [&](core::Int16 row, Fraction& f, engine::ExercisePart part) {
                              engine::ReduceFraction(f);
                              engine::ExtractWhole(f);
                              auto& t = texts[row];
                              engine::FractionTexts shown{core::Int16ToText(f.Numerator),
                                                          core::Int16ToText(f.Denominator),
                                                          core::Int16ToText(f.Whole)};
                              switch (part) {
                              case engine::ExercisePart::FirstOperand:
                                  t.FirstOperand = std::move(shown);
                                  break;
                              case engine::ExercisePart::SecondOperand:
                                  t.SecondOperand = std::move(shown);
                                  break;
                              case engine::ExercisePart::Answer:
                                  // The pupil typed the answer key.
                                  t.TypedAnswer = std::move(shown);
                                  break;
                              }
                          });
    return texts;
}

void GenerateOneTest(benchmark::State& state)
{
    core::SystemRandomSource random;
    engine::TaskOpsTable taskOps{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(GenerateTest(random, taskOps));
    }
}
BENCHMARK(GenerateOneTest);

void MarkOneTest(benchmark::State& state)
{
    core::SystemRandomSource random;
    engine::TaskOpsTable taskOps{};
    const engine::TestTexts texts = GenerateTest(random, taskOps);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine::MarkAnswers(texts, taskOps));
    }
}
BENCHMARK(MarkOneTest);

void GenerateAndMarkOneTest(benchmark::State& state)
{
    core::SystemRandomSource random;
    engine::TaskOpsTable taskOps{};
    for (auto _ : state) {
        const engine::TestTexts texts = GenerateTest(random, taskOps);
        const engine::Marking marking = engine::MarkAnswers(texts, taskOps);
        if (marking.RightCount != engine::kRowCount) {
            state.SkipWithError("the answer key was not judged right");
        }
        benchmark::DoNotOptimize(marking);
    }
}
BENCHMARK(GenerateAndMarkOneTest);

} // namespace

BENCHMARK_MAIN();
