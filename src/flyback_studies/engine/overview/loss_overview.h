#pragma once

// What the design overview shows of the loss budget, as plain data: the
// chart "Where the watts go" (one bar per loss at the lowest and at the
// highest input voltage) with the efficiency, the transformer's temperature
// rise and the core the transformer figures rest on, and the key figures the
// loss checks judge.

#include <optional>
#include <string>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/loss_budget.h"
#include "engine/overview/design_overview.h"

namespace flyback {

// One loss at both operating points. The copper of all windings forms one
// bar, as do the output rectifiers: the engineer weighs the transformer and
// the rectifiers as a whole against the MOSFET and the clamp, and a design
// with six outputs keeps eight bars.
struct LossBar {
  std::string name;                 // "core", "copper", "MOSFET conduction", ...
  std::optional<double> lowest_W;   // W; none where the transformer losses are not estimated
  std::optional<double> highest_W;  // W
  std::string lowest_text;          // "0.383 W", "not estimated"
  std::string highest_text;
};

struct LossOverview {
  std::vector<LossBar> bars;  // core, copper, MOSFET conduction, turn-on and turn-off,
                              // output diodes, control IC and its diode, bridge
                              // rectifier, and the clamp where one is modelled
  double lowest_total_W = 0;
  double highest_total_W = 0;
  std::string lowest_set;   // "lowest input voltage, bus valley: 12.9 W"
  std::string highest_set;  // "highest input voltage: 15.2 W"
  std::string efficiency;   // "assumed 85 % — computed 79.7 %"
  std::string rise;         // "transformer rise 37.1 K", "transformer rise not estimated"
  // Where the transformer figures rest on an estimated geometry or are not
  // estimated, the one line that says so; empty where the core is known.
  std::string note;
};

LossOverview WhereTheWattsGo(const LossBudget& budget);

// A loss in watts as the overview writes it: three significant digits, at
// most three decimals ("7.3 W", "0.383 W", "19.4 W").
std::string WattText(double W);

// The efficiency, the transformer's temperature rise, its core's loss density
// and the clamp's loss at the lowest input voltage, each with its bound and
// the verdict of the `findings` on it. The limits are those of the loss
// checks: the assumed efficiency less its margin, 3 % of P_out_max for the
// clamp.
std::vector<KeyFigure> LossKeyFigures(const DesignInputs& in, const LossBudget& budget,
                                      const std::vector<Finding>& findings);

}  // namespace flyback
