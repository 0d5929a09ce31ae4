#pragma once

// The simulated stage beside the calculation: at the lowest and the highest
// bus voltage, every output's average voltage against its window Umin..Umax
// and its ripple against a limit, the IC supply against its calculated
// voltage; the peak drain current and the switching frequency two-sided
// against the loss budget's operating point at the same bus voltage and
// one-sided against the worst-case bounds I_D_max and fsntmin; the peak
// drain voltage against U_D_lim and against the proposed MOSFET's derated
// rating; the simulated efficiency two-sided against the loss budget's. A
// figure outside its tolerance becomes
// a warning of the design checks. docs/simulation.md gives the tolerances
// and their reasons.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/figure_tolerance.h"
#include "engine/simulation/load_point_comparison.h"
#include "engine/simulation/load_step_response.h"
#include "engine/simulation/loop_simulation.h"
#include "engine/simulation/operating_point_figures.h"
#include "engine/simulation/spice_netlist.h"
#include "state/design/design_state.h"

namespace flyback {

// One simulated figure and the calculated figure it is compared with. Its
// deviation is stated in the unit its tolerance is stated in: % of the
// calculated figure, or percentage points between two efficiencies.
struct ComparedFigure {
  CheckedQuantity quantity{};  // the calculated quantity
  std::string figure{};        // the figure compared with: "Uact(1)", "ripple(1)", "I_pk", ...
  std::string point{};         // "lowest input voltage", "highest input voltage"
  std::string unit{};          // "V", "A", "kHz", "%"
  double simulated = 0;
  std::optional<double> calculated{};  // none for a ripple, which has only a limit
  std::string reference{};             // "calculated", "loss budget", "worst case"
  std::optional<double> deviation{};   // in `deviation_unit`; none without a calculated figure
  std::string deviation_unit{};        // "%": simulated/calculated - 1; "points": the difference
  FigureTolerance tolerance{};         // bounds in `unit`, its text in `deviation_unit`
  bool within = true;                  // the tolerance admits the simulated figure
  // False where the run of the row's operating point did not settle: its
  // figures are those of a stage still moving, shown but not judged.
  bool judged = true;

  bool Outside() const { return judged && !within; }
};

struct SimulatedPoint {
  std::string name;  // "lowest input voltage", "highest input voltage"
  OperatingPointFigures figures;
  double run_s = 0;  // s, wall time of the simulator, of both runs where there were two
  // The start the figures come from: warm, or cold where a warm run did not
  // settle and a cold one did.
  StartState start = StartState::kWarm;
};

struct SimulationComparison {
  std::vector<SimulatedPoint> points;  // the lowest, then the highest input voltage
  std::vector<ComparedFigure> figures;
  double leakage_share = 0;  // of L_prim, the coupling the netlist assumed
  // The efficiency map's loads simulated at the lowest, then the highest
  // input voltage, in the order of kSimulatedLoads.
  std::vector<SimulatedLoadPoint> load_points;
  // Output 1 across a load step with the design's own loop (a design
  // regulated through the opto-coupler); none otherwise, or where its run
  // failed (`load_step_failure` says why).
  std::optional<LoadStepResponse> load_step;
  std::string load_step_failure;
};

// A simulation as it ended: compared, or failed with its reason.
struct SimulationOutcome {
  std::optional<SimulationComparison> comparison;
  std::string failure;  // one line where there is no comparison
  // The feedback loop's .ac runs; none without an opto-regulated loop.
  std::optional<LoopSimulation> loop;
};

// Tolerances of the comparison, shares of the calculated figure.
inline constexpr double kIcSupplyTolerance = 0.03;     // ± of U_ic_act
inline constexpr double kRippleLimit = 0.05;           // peak to peak, of Uact
inline constexpr double kPeakCurrentTolerance = 0.05;  // ± of the budget's I_pk; above I_D_max
inline constexpr double kFrequencyTolerance = 0.10;    // ± of the budget's f; below fsntmin

// `lowest` and `highest`: the simulated points of the design `s`, whose loss
// budget is `budget`.
SimulationComparison CompareSimulation(const DesignState& s, const LossBudget& budget,
                                       SimulatedPoint lowest, SimulatedPoint highest);

// The code of the findings of CheckSimulation.
inline constexpr std::string_view kSimulationDisagrees = "simulation-disagrees";

// The code of the findings for an operating point that did not settle.
inline constexpr std::string_view kSimulationNotSettled = "simulation-not-settled";

// A warning for every judged figure outside its tolerance, coded
// kSimulationDisagrees, one for every operating point whose run did not
// settle, coded kSimulationNotSettled, and those of CheckLoadPoints.
std::vector<Finding> CheckSimulation(const SimulationComparison& comparison);

}  // namespace flyback
