// The loss budget of the three-output demonstration design, to set beside
// BM_CalculationThreeOutputs, and the whole evaluation every view of a shown
// design renders (budget, part stresses and findings): it is made once each
// time the dialogue shows the design.

#include <benchmark/benchmark.h>

#include "engine/components/dimensioning.h"
#include "engine/evaluation/design_evaluation.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Demonstration() {
  DesignState design = Calculated(ThreeOutputDemo());
  design.components = dimension_components(design);
  return design;
}

void BM_LossBudgetThreeOutputs(benchmark::State& state) {
  const DesignState design = Demonstration();
  for (auto _ : state) {
    const LossBudget budget = ComputeLossBudget(design, nullptr);
    benchmark::DoNotOptimize(budget.lowest_valley.total_W);
  }
}
BENCHMARK(BM_LossBudgetThreeOutputs);

void BM_DesignEvaluationThreeOutputs(benchmark::State& state) {
  const DesignState design = Demonstration();
  for (auto _ : state) {
    const std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design, {});
    benchmark::DoNotOptimize(evaluation->findings.size());
  }
}
BENCHMARK(BM_DesignEvaluationThreeOutputs);

}  // namespace
}  // namespace flyback
