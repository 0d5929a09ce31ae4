// The whole efficiency map of the three-output demonstration design (four
// input voltages, five loads and no load, each a fixed point of the input
// power) from its loss budget: it is worked out once per evaluated design,
// and has to stay within 1 ms.

#include <benchmark/benchmark.h>

#include "engine/efficiency/efficiency_map.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void BM_EfficiencyMapThreeOutputs(benchmark::State& state) {
  const DesignState design = CalculatedWithComponents(ThreeOutputDemo());
  const LossBudget budget = ComputeLossBudget(design, nullptr);
  for (auto _ : state) {
    const EfficiencyMap map = ComputeEfficiencyMap(design, budget);
    benchmark::DoNotOptimize(map.rows.back().no_load.P_in_W);
  }
}
BENCHMARK(BM_EfficiencyMapThreeOutputs)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flyback
