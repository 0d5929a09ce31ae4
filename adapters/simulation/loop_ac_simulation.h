#pragma once

// The feedback loop of a design confirmed by ngspice: the corners of
// LoopCornersToSimulate each as an averaged circuit (engine/simulation/
// loop_netlist.h) in an .ac run, compared with the analytic loop gain.

#include <optional>

#include "engine/losses/loss_budget.h"
#include "engine/simulation/loop_simulation.h"
#include "ngspice_run.h"

namespace flyback {

// None where the design has no loop to model (LoopNotModelledReason).
// `control`'s cancel and time limit hold for each run; its progress is not
// told.
std::optional<LoopSimulation> SimulateLoop(const DesignState& design, const LossBudget& budget,
                                           const RunControl& control);

}  // namespace flyback
