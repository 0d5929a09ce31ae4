// The feedback loop's .ac runs of the 80 W demonstration regulated through
// the opto-coupler at 100 V: the three corners (least phase margin, full
// load at each line end) each written as an averaged circuit and run in the
// worker program, compared with the analytic loop. Wall time of all three
// (each run a process of its own) and as a counter the longest single run.
// Needs flyback-ngspice and libngspice0; a run that fails is skipped with
// its reason. docs/loop.md gives the figures measured.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/losses/loss_budget.h"
#include "loop_ac_simulation.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void BM_LoopAcThreeCorners(benchmark::State& state) {
  const DesignState design = OptoRegulatedDemo();
  const LossBudget budget = ComputeLossBudget(design, nullptr);
  const LoopDesign loop = ComputeLoopDesign(design, budget);
  double longest_s = 0;
  for (auto _ : state) {
    const LoopSimulation simulated = SimulateLoop(design, budget, loop, {});
    for (const SimulatedLoopCorner& c : simulated.corners) {
      if (!c.failure.empty()) {
        state.SkipWithError(c.failure.c_str());
        return;
      }
      longest_s = std::max(longest_s, c.run_s);
    }
  }
  state.counters["longest_run_s"] = longest_s;
}
BENCHMARK(BM_LoopAcThreeCorners)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace flyback
