#pragma once

// The losses of the designed stage at one operating point that exists: the
// bus voltage, the power the outputs draw and the input power that power and
// its own losses ask for, searched as a fixed point. The loss budget works at
// full load; the efficiency map at part load, with the controller's light-load
// switching. docs/losses.md gives the search, docs/efficiency.md the part load.

#include <functional>
#include <string>
#include <vector>

#include "engine/losses/budget_windings.h"
#include "engine/losses/loss_budget.h"
#include "engine/losses/switching_point.h"
#include "state/design/design_state.h"

namespace flyback {

// What the outputs draw at the point. Every output carries the same share of
// its Imax: the outputs are scaled together.
struct OutputDemand {
  double output_share = 1;  // of every output's Imax
  // A, the control IC's supply current while the stage pauses between
  // bursts; only counted where the point bursts.
  double I_ic_idle_A = 0;
};

// How the controller switches the stage at a bus voltage (V) and input power (W).
using SwitchingLaw = std::function<SwitchingPoint(const SwitchingStage&, double, double)>;

// Where the point lies: the mains voltage U_mains_V (V rms) that sets the
// bridge current, and the bus voltage U_bus_V (V) the stage switches from.
struct PointInput {
  double U_mains_V = 0;
  double U_bus_V = 0;
};

// The point of the design `s` at `input`, the outputs drawing `demand`, with
// the budget's core, leakage and clamp and the design's `windings`: started at
// the share of the design's P_in_max, searched (NextFixedPointTrial) until the
// power the losses ask for no longer differs from the power tried, or given up
// where the losses would pass ten times P_out_max. `law` switches the stage
// (SwitchingAt where the controller has no light-load behaviour).
OperatingPointLosses ConsistentPoint(std::string name, const DesignState& s,
                                     const PointInput& input, const OutputDemand& demand,
                                     const LossBudget& budget,
                                     const std::vector<BudgetWinding>& windings,
                                     const SwitchingLaw& law = SwitchingAt);

}  // namespace flyback
