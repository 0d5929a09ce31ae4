#pragma once

// The designed stage simulated at its two operating points, the lowest and
// the highest bus voltage, and compared with the calculation.

#include "engine/simulation/simulation_comparison.h"
#include "ngspice_run.h"

namespace flyback {

// Progress goes from 0 to 1 over both points.
SimulationOutcome SimulateStage(const DesignState& design, const LossBudget& budget,
                                const RunControl& control);

}  // namespace flyback
