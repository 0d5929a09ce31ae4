// The core adviser on the three-output demonstration design: every candidate
// (seven layer cores at every airgap step, twelve slot-type transformers)
// calculated, checked and budgeted, as --advise does after every calculation.

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
