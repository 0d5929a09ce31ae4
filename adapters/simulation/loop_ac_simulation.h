#pragma once

// The feedback loop of a design confirmed by ngspice: the corners of
// LoopCornersToSimulate each as an averaged circuit (engine/simulation/
// loop_netlist.h) in an .ac run, compared with the analytic loop gain.

#include <vector>

#include "engine/loop/loop_design.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/loop_simulation.h"
#include "ngspice_run.h"

namespace flyback {

// The corners of `loop`, the design's own (its crossover and its parts as
// the design was evaluated with). `control`'s cancel and time limit hold
// for each run; its progress is not told.
LoopSimulation SimulateLoop(const DesignState& design, const LossBudget& budget,
                            const LoopDesign& loop, const RunControl& control);

// The same corners with the proposal's rounded parts (LoopSimulation::
// proposed), compared with the proposal's analytic loop.
std::vector<SimulatedLoopCorner> SimulateProposedLoop(const DesignState& design,
                                                      const LossBudget& budget,
                                                      const LoopDesign& loop,
                                                      const RunControl& control);

}  // namespace flyback
