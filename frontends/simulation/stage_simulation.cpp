#include "stage_simulation.h"

#include <utility>

namespace flyback {

namespace {

std::optional<SimulatedPoint> SimulatePoint(const DesignState& design, const LossBudget& budget,
                                            BusPoint point, const RunControl& control,
                                            std::string& failure) {
  const std::string name =
      point == BusPoint::kLowest ? "lowest input voltage" : "highest input voltage";
  const SpiceRun netlist = SpiceRunOf(design, budget, point);
  // A figure that is not a number would only be refused by ngspice with a
  // less telling message: the netlist is not run at all.
  if (!netlist.non_finite_line.empty()) {
    failure = "cannot simulate the " + name + ": the netlist would hold a figure that is not " +
              "finite: " + netlist.non_finite_line;
    return std::nullopt;
  }
  const RunResult run = RunNetlist(netlist, control);
  if (!run.waves) {
    failure = "cannot simulate the " + name + ": " + run.failure;
    return std::nullopt;
  }
  std::string why;
  std::optional<OperatingPointFigures> figures = MeasureOperatingPoint(*run.waves, why);
  if (!figures) {
    failure = "cannot simulate the " + name + ": " + why;
    return std::nullopt;
  }
  return SimulatedPoint{name, std::move(*figures), run.run_s};
}

}  // namespace

SimulationOutcome SimulateStage(const DesignState& design, const LossBudget& budget,
                                const RunControl& control) {
  SimulationOutcome outcome;
  RunControl half = control;
  if (control.progress) half.progress = [&control](double share) { control.progress(share / 2); };
  std::optional<SimulatedPoint> lowest =
      SimulatePoint(design, budget, BusPoint::kLowest, half, outcome.failure);
  if (!lowest) return outcome;
  if (control.progress) {
    half.progress = [&control](double share) { control.progress(0.5 + share / 2); };
  }
  std::optional<SimulatedPoint> highest =
      SimulatePoint(design, budget, BusPoint::kHighest, half, outcome.failure);
  if (!highest) return outcome;
  outcome.comparison = CompareSimulation(design, budget, std::move(*lowest), std::move(*highest));
  return outcome;
}

}  // namespace flyback
