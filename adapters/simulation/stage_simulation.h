#pragma once

// The designed stage simulated at its two operating points, the lowest and
// the highest bus voltage, and compared with the calculation.

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"
#include "ngspice_run.h"

namespace flyback {

// Whether a simulation runs the efficiency map's part loads beside the
// full-load points; left out, the comparison holds no load points (the
// part loads take some three quarters of the runs' time, which a test
// that does not judge them need not spend).
enum class LoadPoints { kSimulated, kLeftOut };

// The design of `evaluation` at its two full-load operating points, at the
// part loads of its efficiency map at both ends of the input range (unless
// `load_points` leaves them out), and,
// where it has its loop (`evaluation.loop`), across a load step and in the
// loop's .ac runs. The runs go on side by side (RunSideBySide); progress
// goes from 0 to 1 over all of them, on the caller's thread.
SimulationOutcome SimulateStage(const DesignEvaluation& evaluation, const RunControl& control,
                                LoadPoints load_points = LoadPoints::kSimulated);

}  // namespace flyback
