// Time per evaluation of a field text: Tralto's EvaluateText (trace included,
// written to a null sink) beside a fresh muParser for every evaluation.
#include "bench/EvaluateTexts.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tralto::bench;

void Tralto(benchmark::State& state)
{
    const std::string& text = EvaluateTexts[static_cast<std::size_t>(state.range(0))];
    const SilencedTrace silenced;
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateWithTralto(text));
    state.SetLabel(text);
}

void MuParser(benchmark::State& state)
{
    const std::string& text = EvaluateTexts[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateWithMuParser(text));
    state.SetLabel(text);
}

BENCHMARK(Tralto)->DenseRange(0, EvaluateTexts.size() - 1);
BENCHMARK(MuParser)->DenseRange(0, EvaluateTexts.size() - 1);

} // namespace

BENCHMARK_MAIN();
