#pragma once

// The simulated stage beside the calculation: at the lowest and the highest
// bus voltage, every output's average voltage and ripple against its
// calculated voltage, the peak drain current against I_D_max, the peak drain
// voltage against U_D_max and the drain limit, the switching frequency
// against fsntmin (or the fixed frequency), the simulated efficiency against
// the assumed one and the loss budget's. A figure outside its tolerance
// becomes a warning of the design checks. docs/simulation.md gives the
// tolerances and why some are one-sided.

#include <optional>
#include <string>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/operating_point_figures.h"
#include "state/design/design_state.h"

namespace flyback {

// One simulated figure and the calculated figure it is compared with.
struct ComparedFigure {
  CheckedQuantity quantity;  // the calculated quantity
  std::string figure;        // "Uact(1)", "ripple(1)", "I_D_peak", ...
  std::string point;         // "lowest input voltage", "highest input voltage"
  std::string unit;          // "V", "A", "kHz", "%"
  double simulated = 0;
  double calculated = 0;
  double deviation = 0;         // simulated/calculated - 1; of a ripple: ripple/calculated
  std::optional<double> least;  // the simulated figure's allowed range, in `unit`;
  std::optional<double> most;   // none on a side without a bound
  std::string tolerance;        // "±3 %", "at most +5 %", "at most U_D_lim", "none"
  bool within = true;
};

struct SimulatedPoint {
  std::string name;  // "lowest input voltage", "highest input voltage"
  OperatingPointFigures figures;
  double run_s = 0;  // s, wall time of the simulator
};

struct SimulationComparison {
  std::vector<SimulatedPoint> points;  // the lowest, then the highest input voltage
  std::vector<ComparedFigure> figures;
  double leakage_share = 0;  // of L_prim, the coupling the netlist assumed
};

// A simulation as it ended: compared, or failed with its reason.
struct SimulationOutcome {
  std::optional<SimulationComparison> comparison;
  std::string failure;  // one line where there is no comparison
};

// Tolerances of the comparison.
inline constexpr double kOutputTolerance = 0.03;     // ± share of the calculated voltage
inline constexpr double kRippleLimit = 0.05;         // peak to peak, share of the voltage
inline constexpr double kPeakCurrentMargin = 0.05;   // above I_D_max
inline constexpr double kFrequencyTolerance = 0.10;  // below fsntmin; ± at a fixed frequency

// `lowest` and `highest`: the simulated points of the design `s`, whose loss
// budget is `budget`.
SimulationComparison CompareSimulation(const DesignState& s, const LossBudget& budget,
                                       SimulatedPoint lowest, SimulatedPoint highest);

// A warning for every figure outside its tolerance.
std::vector<Finding> CheckSimulation(const SimulationComparison& comparison);

}  // namespace flyback
