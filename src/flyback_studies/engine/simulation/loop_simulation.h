#pragma once

// The corners of the feedback loop an .ac run confirms, and what the runs
// gave: the corner with the least phase margin and the full-load corner of
// each line end at the least CTR (the lowest gain, so the crossover most
// likely within the sweep), at most three runs. A corner whose simulated
// loop gain differs beyond the tolerance, or whose run failed, is a warning.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/loop/loop_design.h"
#include "engine/simulation/loop_comparison.h"

namespace flyback {

struct SimulatedLoopCorner {
  std::size_t corner = 0;     // index into LoopDesign::corners
  std::string_view reason;    // "least phase margin", "full load, lowest input", ...
  LoopComparison comparison;  // where the run succeeded
  std::string failure;        // why the run gave no loop gain; empty where it did
  double run_s = 0;           // s, wall time of the run
};

struct LoopSimulation {
  std::vector<SimulatedLoopCorner> corners;  // with the corners' parts
  // The same corners with the proposal's rounded parts, against
  // LoopDesign::proposed_corners: the compensator the design recommends.
  std::vector<SimulatedLoopCorner> proposed;
  // The proposal's rounded parts those runs ran: a new crossover asked for
  // later changes the proposal but not the runs.
  OptoCompensator proposed_parts;
};

// The corners of `loop` to simulate, each once, with the reason it is one.
std::vector<SimulatedLoopCorner> LoopCornersToSimulate(const LoopDesign& loop);

// The runs as lines of text beside the script's dialogue: a heading, then
// per corner its simulated and analytic crossover and phase margin, the
// largest differences and the verdict, or why its run failed; the
// proposal's runs below the corners' own.
std::string LoopSimulationText(const LoopDesign& loop, const LoopSimulation& simulated);

// The code of the findings of CheckLoopSimulation.
inline constexpr std::string_view kLoopSimulationDisagrees = "loop-simulation-disagrees";

// A warning for every simulated corner outside the tolerance or without a
// run, coded kLoopSimulationDisagrees.
std::vector<Finding> CheckLoopSimulation(const LoopDesign& loop, const LoopSimulation& simulated);

}  // namespace flyback
