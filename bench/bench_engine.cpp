// The engine's side of one whole test: generating the ten exercises, and marking ten answers
// read back from their texts.
#include "engine/answer_check.h"
#include "engine/task_generator.h"
#include "toolkit/conversions.h"
#include "toolkit/random_source.h"

#include <benchmark/benchmark.h>

namespace {

using engine::Fraction;

// Collects what the window would show: each row's operand and answer texts.
engine::TestTexts GenerateTest(toolkit::RandomSource& random, engine::TaskOpsTable& taskOps)
{
    engine::TestTexts texts;
    engine::GenerateTasks(taskOps, random,
                          [&](toolkit::Int16 row, Fraction& f, std::uint8_t group) {
                              engine::ReduceFraction(f);
                              engine::ExtractWhole(f);
                              auto& t = texts[row];
                              const std::string n = toolkit::Int16ToText(f.Numerator);
                              const std::string d = toolkit::Int16ToText(f.Denominator);
                              const std::string w = toolkit::Int16ToText(f.Whole);
                              if (group == engine::kFirstOperandGroup) {
                                  t.At = n, t.Az = d, t.Aw = w;
                              } else if (group == engine::kSecondOperandGroup) {
                                  t.Bt = n, t.Bz = d, t.Bw = w;
                              } else {
                                  // The pupil typed the answer key.
                                  t.Ct = n, t.Cz = d, t.Cw = w;
                              }
                          });
    return texts;
}

void GenerateOneTest(benchmark::State& state)
{
    toolkit::SystemRandomSource random;
    engine::TaskOpsTable taskOps{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(GenerateTest(random, taskOps));
    }
}
BENCHMARK(GenerateOneTest);

void MarkOneTest(benchmark::State& state)
{
    toolkit::SystemRandomSource random;
    engine::TaskOpsTable taskOps{};
    const engine::TestTexts texts = GenerateTest(random, taskOps);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine::MarkAnswers(texts, taskOps));
    }
}
BENCHMARK(MarkOneTest);

void GenerateAndMarkOneTest(benchmark::State& state)
{
    toolkit::SystemRandomSource random;
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
