#pragma once

// The feedback loop of an opto-regulated design as the "loop" object of the
// design file: the assumptions, the compensator as designed and rounded, and
// the stage and margins at each of the 12 corners.

#include <nlohmann/json.hpp>
#include <vector>

#include "engine/loop/loop_design.h"
#include "engine/simulation/loop_simulation.h"

namespace flyback {

nlohmann::ordered_json LoopJson(const LoopDesign& loop);

// The runs of corners among `corners` in ngspice (flyback --simulate), for
// "loop"'s key "simulated" (the corners' own) and the compensator's (the
// proposal's): each with its reason, its run's failure or the comparison
// with the analytic loop gain.
nlohmann::ordered_json LoopSimulationJson(const std::vector<LoopCorner>& corners,
                                          const std::vector<SimulatedLoopCorner>& runs);

}  // namespace flyback
