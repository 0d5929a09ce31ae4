#include "stage_simulation.h"

#include <utility>

#include "engine/loop/loop_design.h"
#include "engine/transformer/winding_values.h"
#include "loop_ac_simulation.h"

namespace flyback {

namespace {

// The figures of one run of `point` from `start`; none, with the reason in
// `failure`.
std::optional<OperatingPointFigures> RunPoint(const DesignState& design, const LossBudget& budget,
                                              BusPoint point, StartState start,
                                              const RunControl& control, const std::string& name,
                                              double& run_s, std::string& failure) {
  const SpiceRun netlist = SpiceRunOf(design, budget, point, start);
  // A figure that is not a number would only be refused by ngspice with a
  // less telling message: the netlist is not run at all.
  if (!netlist.non_finite_line.empty()) {
    failure = "cannot simulate the " + name + ": the netlist would hold a figure that is not " +
              "finite: " + netlist.non_finite_line;
    return std::nullopt;
  }
  const RunResult run = RunNetlist(netlist, control);
  run_s += run.run_s;
  if (!run.waves) {
    failure = "cannot simulate the " + name + ": " + run.failure;
    return std::nullopt;
  }
  std::string why;
  std::optional<OperatingPointFigures> figures = MeasureOperatingPoint(*run.waves, why);
  if (!figures) failure = "cannot simulate the " + name + ": " + why;
  return figures;
}

// A warm run, and where it does not settle a cold one, whose figures count
// where it settles.
std::optional<SimulatedPoint> SimulatePoint(const DesignState& design, const LossBudget& budget,
                                            BusPoint point, const RunControl& control,
                                            std::string& failure) {
  const std::string name =
      point == BusPoint::kLowest ? "lowest input voltage" : "highest input voltage";
  SimulatedPoint simulated{name, {}, 0, StartState::kWarm};
  std::optional<OperatingPointFigures> warm =
      RunPoint(design, budget, point, StartState::kWarm, control, name, simulated.run_s, failure);
  if (!warm) return std::nullopt;
  simulated.figures = std::move(*warm);
  if (simulated.figures.settled) return simulated;
  // The progress has been told to its end: the second run goes on silently.
  RunControl silent = control;
  silent.progress = nullptr;
  std::string cold_failure;
  std::optional<OperatingPointFigures> cold = RunPoint(design, budget, point, StartState::kCold,
                                                       silent, name, simulated.run_s, cold_failure);
  if (control.cancel != nullptr && *control.cancel) {
    failure = std::move(cold_failure);
    return std::nullopt;
  }
  if (cold && cold->settled) {
    simulated.figures = std::move(*cold);
    simulated.start = StartState::kCold;
  }
  return simulated;
}

// The load step of a design with its loop in the netlist, or why there is
// none.
void SimulateLoadStep(const DesignState& design, const LossBudget& budget,
                      const RunControl& control, SimulationComparison& comparison) {
  const SpiceRun run = LoadStepRunOf(design, budget);
  if (!run.non_finite_line.empty()) {
    comparison.load_step_failure =
        "the netlist would hold a figure that is not finite: " + run.non_finite_line;
    return;
  }
  const RunResult result = RunNetlist(run, control);
  if (!result.waves) {
    comparison.load_step_failure = result.failure;
    return;
  }
  // The netlist holds output 1 at its calculated voltage.
  comparison.load_step =
      MeasureLoadStep(*result.waves, run, OutputVoltage(design.inputs, design.transformer, 1));
  if (!comparison.load_step) comparison.load_step_failure = "the run ended before the load step";
}

}  // namespace

SimulationOutcome SimulateStage(const DesignState& design, const LossBudget& budget,
                                const RunControl& control) {
  SimulationOutcome outcome;
  outcome.loop = SimulateLoop(design, budget, control);
  // The two operating points, and a load step where the design's loop is in
  // the netlist, share the progress equally.
  const bool load_step = LoopNotModelledReason(design).empty();
  const double parts = load_step ? 3 : 2;
  RunControl part = control;
  const auto share_of = [&control, &part, parts](double done) {
    if (control.progress) {
      part.progress = [&control, done, parts](double share) {
        control.progress((done + share) / parts);
      };
    }
  };
  share_of(0);
  std::optional<SimulatedPoint> lowest =
      SimulatePoint(design, budget, BusPoint::kLowest, part, outcome.failure);
  if (!lowest) return outcome;
  share_of(1);
  std::optional<SimulatedPoint> highest =
      SimulatePoint(design, budget, BusPoint::kHighest, part, outcome.failure);
  if (!highest) return outcome;
  SimulationComparison comparison =
      CompareSimulation(design, budget, std::move(*lowest), std::move(*highest));
  if (load_step) {
    share_of(2);
    SimulateLoadStep(design, budget, part, comparison);
    if (control.cancel != nullptr && *control.cancel) {
      outcome.failure = "the simulation was cancelled";
      return outcome;
    }
  }
  outcome.comparison = std::move(comparison);
  return outcome;
}

}  // namespace flyback
