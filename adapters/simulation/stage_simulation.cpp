#include "stage_simulation.h"

#include <cmath>
#include <utility>

<<<<<<< ours
#include "engine/efficiency/efficiency_map.h"
=======
#include "engine/loop/loop_design.h"
#include "engine/transformer/winding_values.h"
#include "loop_ac_simulation.h"
>>>>>>> theirs

namespace flyback {

namespace {

// The figures of one run of `point` from `start`, at full load or at
// `part_load`; none, with the reason in `failure`.
std::optional<OperatingPointFigures> RunPoint(const DesignState& design, const LossBudget& budget,
                                              BusPoint point, StartState start,
                                              const PartLoad* part_load, const RunControl& control,
                                              const std::string& name, double& run_s,
                                              std::string& failure) {
  const SpiceRun netlist = SpiceRunOf(design, budget, point, start, part_load);
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

bool Cancelled(const RunControl& control) {
  return control.cancel != nullptr && *control.cancel;
}

// A warm run, and where it does not settle a cold one, whose figures count
// where it settles.
std::optional<SimulatedPoint> SimulatePoint(const DesignState& design, const LossBudget& budget,
                                            BusPoint point, const PartLoad* part_load,
                                            const std::string& name, const RunControl& control,
                                            std::string& failure) {
  SimulatedPoint simulated{name, {}, 0, StartState::kWarm};
  std::optional<OperatingPointFigures> warm = RunPoint(
      design, budget, point, StartState::kWarm, part_load, control, name, simulated.run_s, failure);
  if (!warm) return std::nullopt;
  simulated.figures = std::move(*warm);
  if (simulated.figures.settled) return simulated;
  // The progress has been told to its end: the second run goes on silently.
  RunControl silent = control;
  silent.progress = nullptr;
  std::string cold_failure;
  std::optional<OperatingPointFigures> cold =
      RunPoint(design, budget, point, StartState::kCold, part_load, silent, name, simulated.run_s,
               cold_failure);
  if (Cancelled(control)) {
    failure = std::move(cold_failure);
    return std::nullopt;
  }
  if (cold && cold->settled) {
    simulated.figures = std::move(*cold);
    simulated.start = StartState::kCold;
  }
  return simulated;
}

<<<<<<< ours
// One load of the map to simulate at one end of the input range.
struct PlannedLoad {
  BusPoint point;
  const MapRow* row;
  const MapPoint* map;
  // The full-load run of `point` stands for the map's point: the map's full
  // load at the budget's bus, the same circuit at the same operating point.
  bool full_load_run = false;
};

// The map's simulated loads at the lowest and the highest input voltage.
std::vector<PlannedLoad> PlanLoads(const EfficiencyMap& map, const LossBudget& budget) {
  std::vector<PlannedLoad> plan;
  if (map.rows.empty()) return plan;
  const std::pair<BusPoint, const MapRow*> ends[] = {{BusPoint::kLowest, &map.rows.front()},
                                                     {BusPoint::kHighest, &map.rows.back()}};
  for (const auto& [point, row] : ends) {
    const double U_budget_V =
        (point == BusPoint::kLowest ? budget.lowest_crest : budget.highest_input).switching.U_bus_V;
    for (const double load : kSimulatedLoads) {
      const MapPoint* at = MapPointAt(*row, load);
      if (at == nullptr) continue;
      const bool same_bus = std::abs(at->stage.switching.U_bus_V / U_budget_V - 1) < 1e-6;
      plan.push_back({point, row, at, load == 1 && same_bus});
    }
  }
  return plan;
}

SimulatedLoadPoint LoadPointOf(const PlannedLoad& planned) {
  SimulatedLoadPoint p;
  p.name = LoadPointName(planned.map->load, planned.row->voltage.name);
  p.load = planned.map->load;
  p.U_bus_V = planned.map->stage.switching.U_bus_V;
  p.f_map_kHz = 1000 / planned.map->stage.switching.period_us;
  p.map_efficiency = planned.map->efficiency;
  return p;
}

void Record(const SimulatedPoint& run, const MapPoint& map, SimulatedLoadPoint& p) {
  p.efficiency = MapFootingEfficiency(run.figures, map);
  p.f_sw_kHz = run.figures.f_sw_kHz;
  p.settled = run.figures.settled;
  p.run_s = run.run_s;
}

// Runs `runs` of them in all, this one the `index`th: its share of the
// progress.
RunControl Slice(const RunControl& control, int index, int runs) {
  RunControl slice = control;
  if (control.progress) {
    slice.progress = [&control, index, runs](double share) {
      control.progress((index + share) / runs);
    };
  }
  return slice;
=======
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
>>>>>>> theirs
}

}  // namespace

SimulationOutcome SimulateStage(const DesignState& design, const LossBudget& budget,
                                const RunControl& control) {
  SimulationOutcome outcome;
<<<<<<< ours
  const EfficiencyMap map = ComputeEfficiencyMap(design, budget);
  const std::vector<PlannedLoad> plan = PlanLoads(map, budget);
  // The two full-load points, then every load of the map that is not one of them.
  int runs = 2;
  for (const PlannedLoad& planned : plan) runs += !planned.full_load_run;
  std::optional<SimulatedPoint> lowest =
      SimulatePoint(design, budget, BusPoint::kLowest, nullptr, "lowest input voltage",
                    Slice(control, 0, runs), outcome.failure);
  if (!lowest) return outcome;
  std::optional<SimulatedPoint> highest =
      SimulatePoint(design, budget, BusPoint::kHighest, nullptr, "highest input voltage",
                    Slice(control, 1, runs), outcome.failure);
  if (!highest) return outcome;
  SimulationComparison comparison =
      CompareSimulation(design, budget, std::move(*lowest), std::move(*highest));
  int index = 2;
  for (const PlannedLoad& planned : plan) {
    SimulatedLoadPoint p = LoadPointOf(planned);
    const MapPoint& at = *planned.map;
    if (planned.full_load_run) {
      Record(comparison.points[planned.point == BusPoint::kLowest ? 0 : 1], at, p);
    } else if (at.stage.switching.burst_duty < 1 && design.inputs.fixed_freq) {
      // The behavioural controller bursts only when free running.
      p.not_simulated = "the map has the controller bursting at its fixed frequency there";
    } else {
      const PartLoad part{at.load, at.stage, map.controller.f_ceiling_kHz,
                          map.controller.burst_peak_share * budget.worst_case.I_D_max_A};
      std::string failure;
      const std::optional<SimulatedPoint> run = SimulatePoint(
          design, budget, planned.point, &part, p.name, Slice(control, index, runs), failure);
      if (Cancelled(control)) {
        outcome.failure = failure;
        return outcome;
      }
      if (run) {
        Record(*run, at, p);
      } else {
        p.not_simulated = failure;
      }
    }
    index += !planned.full_load_run;
    comparison.load_points.push_back(std::move(p));
  }
  if (control.progress) control.progress(1);
=======
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
>>>>>>> theirs
  outcome.comparison = std::move(comparison);
  return outcome;
}

}  // namespace flyback
