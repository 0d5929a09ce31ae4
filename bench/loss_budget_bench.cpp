// The loss budget of the three-output demonstration design, to set beside
// BM_CalculationThreeOutputs: the design file computes it on every export.

#include <benchmark/benchmark.h>

#include "engine/components/dimensioning.h"
#include "engine/losses/loss_budget.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void BM_LossBudgetThreeOutputs(benchmark::State& state) {
  DesignState design = Calculated(ThreeOutputDemo());
  design.components = dimension_components(design);
  for (auto _ : state) {
    const LossBudget budget = ComputeLossBudget(design, nullptr);
    benchmark::DoNotOptimize(budget.lowest_valley.total_W);
  }
}
BENCHMARK(BM_LossBudgetThreeOutputs);

}  // namespace
}  // namespace flyback
