// The feedback loop of the 80 W demonstration regulated through the
// opto-coupler at 100 V: the whole loop (six stages, the proposal, the 12
// corners with the component list's parts and the 12 with the proposal,
// each swept with its margins), and the 12 corners' Bode sweeps alone.

#include <benchmark/benchmark.h>

#include "engine/loop/loop_design.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

constexpr int kPointsPerDecade = 50;

DesignState OptoDemonstration() {
  DesignState s = ThreeOutputDemo();
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 100;
  return CalculatedWithComponents(s);
}

void BM_LoopDesignEightyWattOpto(benchmark::State& state) {
  const DesignState design = OptoDemonstration();
  const LossBudget budget = ComputeLossBudget(design, nullptr);
  for (auto _ : state) {
    const LoopDesign loop = ComputeLoopDesign(design, budget);
    benchmark::DoNotOptimize(loop.corners.size());
  }
}
BENCHMARK(BM_LoopDesignEightyWattOpto)->Unit(benchmark::kMicrosecond);

void BM_LoopBodeTwelveCorners(benchmark::State& state) {
  const DesignState design = OptoDemonstration();
  const LoopDesign loop = ComputeLoopDesign(design, ComputeLossBudget(design, nullptr));
  for (auto _ : state) {
    for (const LoopCorner& c : loop.corners) {
      const LoopResponse response = [&c, &loop](double f_Hz) {
        return PowerStageResponse(c.plant, f_Hz) +
               CompensatorResponse(loop.parts, c.CTR, loop.assumptions, DividerRatio(loop), f_Hz);
      };
      const std::vector<BodePoint> bode =
          SweepLoop(response, loop.f_low_Hz, loop.f_high_Hz, kPointsPerDecade);
      benchmark::DoNotOptimize(MarginsOf(bode, response).crossings);
    }
  }
}
BENCHMARK(BM_LoopBodeTwelveCorners)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flyback
