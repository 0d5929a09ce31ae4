#pragma once

// The loss budget's leakage inductance split among the windings, so that each
// winding of the netlist has its own and the secondaries no longer couple
// ideally among themselves.
//
// The estimate is the energy of the field across the winding (Dowell):
// L_lk ∝ b_gap + (b_p + b_s)/3. Each winding takes the part of that field on
// its own side of the middle of the gap: the primary b_gap/2 + b_p/3, the
// secondaries together b_gap/2 + b_s/3, shared among them in proportion to
// their builds (layers·pitch). The IC-supply winding, whose wire the budget
// does not size, takes what an average secondary takes. Where the share is
// assumed rather than estimated, the primary and the secondaries take half
// each, the secondaries equally. Each figure is a share of the winding's own
// self inductance referred to the primary, so that the leakage between the
// primary and all secondaries together is the budget's L_lk.

#include <vector>

#include "engine/losses/loss_budget.h"

namespace flyback {

struct WindingLeakageShares {
  double primary = 0;
  std::vector<double> outputs;  // output i at [i - 1]
  double ic = 0;
};

WindingLeakageShares SplitLeakage(const LeakageFigures& leakage, int outputs);

}  // namespace flyback
