// The core adviser on the three-output demonstration design: every candidate
// (seven layer cores at every airgap step, twelve slot-type transformers)
// calculated, its output voltages optimized where one is off its window,
// budgeted at its self-consistent hot spot and held against the hard limits,
// as --advise does after every calculation. The bound is 200 ms.

#include <benchmark/benchmark.h>

#include "engine/adviser/core_ranking.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void BM_CoreAdviserThreeOutputs(benchmark::State& state) {
  const DesignState design = CalculatedWithComponents(ThreeOutputDemo());
  for (auto _ : state) {
    const CoreAdvice advice = AdviseCores(design, nullptr);
    benchmark::DoNotOptimize(advice.ranking.size());
  }
}
BENCHMARK(BM_CoreAdviserThreeOutputs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace flyback
