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

// The run of `s`'s corner among `corners` (the list's or the proposal's,
// their parts those of `circuit`).
void Simulate(const LoopDesign& loop, const std::vector<LoopCorner>& corners,
              const LoopCircuit& circuit, const RunControl& control, SimulatedLoopCorner& s) {
  const LoopCorner& corner = corners[s.corner];
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
  const LoopResponse analytic = [&corner, &circuit, &a, &loop](double f_Hz) {
    return PowerStageResponse(corner.plant, f_Hz) +
           CompensatorResponse(circuit.parts, corner.CTR, a, DividerRatio(loop), f_Hz);
  };
  s.comparison = CompareLoop(corner, analytic, points);
}

// The runs take a fraction of the stage's: they report no progress of
// their own.
RunControl Quiet(const RunControl& control) {
  RunControl quiet = control;
  quiet.progress = nullptr;
  return quiet;
}

}  // namespace

LoopSimulation SimulateLoop(const DesignState& design, const LossBudget& budget,
                            const LoopDesign& loop, const RunControl& control) {
  const LoopCircuit circuit = LoopCircuitOf(design, budget, loop);
  LoopSimulation simulated;
  simulated.corners = LoopCornersToSimulate(loop);
  const RunControl quiet = Quiet(control);
  for (SimulatedLoopCorner& s : simulated.corners) Simulate(loop, loop.corners, circuit, quiet, s);
  return simulated;
}

std::vector<SimulatedLoopCorner> SimulateProposedLoop(const DesignState& design,
                                                      const LossBudget& budget,
                                                      const LoopDesign& loop,
                                                      const RunControl& control) {
  LoopCircuit circuit = LoopCircuitOf(design, budget, loop);
  circuit.parts = loop.compensator.rounded;
  // The corners the list's runs check, so that the two stand side by side.
  std::vector<SimulatedLoopCorner> simulated = LoopCornersToSimulate(loop);
  const RunControl quiet = Quiet(control);
  for (SimulatedLoopCorner& s : simulated) Simulate(loop, loop.proposed_corners, circuit, quiet, s);
  return simulated;
}

}  // namespace flyback
