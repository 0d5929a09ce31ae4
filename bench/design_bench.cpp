// The transformer calculation of the demonstration designs, the component
// dimensioning and a whole optimization sweep.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/components/dimensioning.h"
#include "pages/dialogue/driver.h"
#include "support/defaults_console.h"
#include "support/pass_count.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void RunCalculation(benchmark::State& state, const DesignState& design) {
  for (auto _ : state) {
    DesignState s = design;
    s.inputs.U_D_lim = AutomaticDrainLimit(s.inputs.U_mains_max);
    TransformerCalculation calculation(CalculationEntry::kFullStart,
                                       CalculationRules::kEnforceLimits);
    benchmark::DoNotOptimize(calculation.Run(s.inputs, s.transformer, false));
    benchmark::DoNotOptimize(s.transformer.fsntmin);
  }
}

void BM_CalculationThreeOutputs(benchmark::State& state) {
  RunCalculation(state, ThreeOutputDemo());
}
BENCHMARK(BM_CalculationThreeOutputs);

void BM_CalculationFourOutputs(benchmark::State& state) {
  RunCalculation(state, FourOutputDemo());
}
BENCHMARK(BM_CalculationFourOutputs);

// 142 passes of the frequency loop on top of the duty-cycle loop.
void BM_CalculationFixedFrequency(benchmark::State& state) {
  RunCalculation(state, FixedFrequencyDemo(50, 70));
}
BENCHMARK(BM_CalculationFixedFrequency);

void BM_DimensionComponents(benchmark::State& state) {
  DesignState design = Calculated(ThreeOutputDemo());
  for (auto _ : state) {
    design.components = dimension_components(design);
    benchmark::DoNotOptimize(design.components.R29);
  }
}
BENCHMARK(BM_DimensionComponents);

// The whole optimization page of the three-output design from 300 mT until
// its list ends (Return at every "Continue?"), with the final calculation.
void BM_OptimizationSweepFrom300mT(benchmark::State& state) {
  const DesignState design = Calculated(ThreeOutputDemo());
  PassCount count;
  for (auto _ : state) {
    DesignState s = design;
    DefaultsConsole console("Show number of turns and voltages?");
    RunPages(console, s, Page::kOptimization, nullptr, &count);
  }
  const long long steps = count.passes;
  state.counters["passes"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OptimizationSweepFrom300mT)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flyback
