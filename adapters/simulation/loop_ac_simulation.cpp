#include "loop_ac_simulation.h"

#include <cstddef>
#include <string>
#include <vector>

#include "engine/simulation/loop_netlist.h"
#include "ngspice_ac_run.h"

namespace flyback {

namespace {

// The sweep's density, that of the analytic loop.
constexpr int kPointsPerDecade = 50;

void Simulate(const LoopDesign& loop, const LoopCircuit& circuit, const RunControl& control,
              SimulatedLoopCorner& s) {
  const LoopCorner& corner = loop.corners[s.corner];
  const std::string netlist =
      LoopNetlist(corner, circuit, loop.f_low_Hz, loop.f_high_Hz, kPointsPerDecade);
  const AcRunResult run = RunAcNetlist(netlist, {kLoopReturnNode, kLoopInjectNode}, control);
  s.run_s = run.run_s;
  if (!run.failure.empty()) {
    s.failure = run.failure;
    return;
  }
  const auto& returned = run.vectors.at(kLoopReturnNode);
  const auto& injected = run.vectors.at(kLoopInjectNode);
  std::vector<SimulatedLoopPoint> points;
  points.reserve(run.f_Hz.size());
  for (std::size_t i = 0; i < run.f_Hz.size(); ++i) {
    points.push_back({run.f_Hz[i], -returned[i] / injected[i]});
  }
  const LoopAssumptions& a = loop.assumptions;
  const LoopResponse analytic = [&corner, &circuit, &a](double f_Hz) {
    return PowerStageResponse(corner.plant, f_Hz) +
           CompensatorResponse(circuit.parts, corner.CTR, a, f_Hz);
  };
  s.comparison = CompareLoop(corner, analytic, points);
}

}  // namespace

LoopSimulation SimulateLoop(const DesignState& design, const LossBudget& budget,
                            const LoopDesign& loop, const RunControl& control) {
  const LoopCircuit circuit = LoopCircuitOf(design, budget, loop);
  // The runs take a fraction of the stage's: they report no progress of
  // their own.
  RunControl quiet = control;
  quiet.progress = nullptr;
  LoopSimulation simulated;
  simulated.corners = LoopCornersToSimulate(loop);
  for (SimulatedLoopCorner& s : simulated.corners) Simulate(loop, circuit, quiet, s);
  return simulated;
}

}  // namespace flyback
