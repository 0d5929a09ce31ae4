#include "stage_simulation.h"

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/efficiency/efficiency_map.h"
#include "engine/loop/loop_design.h"
#include "engine/transformer/winding_values.h"
#include "loop_ac_simulation.h"
#include "side_by_side_runs.h"

namespace flyback {

namespace {

// The figures of one run of `point` from `start`, at full load or at
// `part_load`; none, with the reason in `failure`.
std::optional<OperatingPointFigures> RunPoint(const DesignEvaluation& evaluation, BusPoint point,
                                              StartState start, const PartLoad* part_load,
                                              const RunControl& control, const std::string& name,
                                              double& run_s, std::string& failure) {
  const SpiceRun netlist =
      SpiceRunOf(evaluation.design, evaluation.budget, evaluation.loop, point, start, part_load);
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
std::optional<SimulatedPoint> SimulatePoint(const DesignEvaluation& evaluation, BusPoint point,
                                            const PartLoad* part_load, const std::string& name,
                                            const RunControl& control, std::string& failure) {
  SimulatedPoint simulated{name, {}, 0, StartState::kWarm};
  std::optional<OperatingPointFigures> warm = RunPoint(
      evaluation, point, StartState::kWarm, part_load, control, name, simulated.run_s, failure);
  if (!warm) return std::nullopt;
  simulated.figures = std::move(*warm);
  if (simulated.figures.settled) return simulated;
  // The progress has been told to its end: the second run goes on silently.
  RunControl silent = control;
  silent.progress = nullptr;
  std::string cold_failure;
  std::optional<OperatingPointFigures> cold = RunPoint(
      evaluation, point, StartState::kCold, part_load, silent, name, simulated.run_s, cold_failure);
  if (control.cancelled()) {
    failure = std::move(cold_failure);
    return std::nullopt;
  }
  if (cold && cold->settled) {
    simulated.figures = std::move(*cold);
    simulated.start = StartState::kCold;
  }
  return simulated;
}

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

// The control of run `index` of `count` that go one after the other under
// `control`: each run's progress 0 .. 1 told as its share of the whole.
RunControl PartOf(const RunControl& control, std::size_t index, std::size_t count) {
  RunControl part = control;
  if (control.progress) {
    part.progress = [progress = control.progress, index, count](double share) {
      progress((static_cast<double>(index) + share) / static_cast<double>(count));
    };
  }
  return part;
}

// The behavioural controller bursts only when free running: a point the
// map has bursting at a fixed frequency is not simulated.
bool BurstsAtFixedFrequency(const MapPoint& at, const DesignState& design) {
  return at.stage.switching.burst_duty < 1 && design.inputs.fixed_freq;
}

// The load step of a design with its loop in the netlist, or why there is
// none.
void SimulateLoadStep(const DesignState& design, const LossBudget& budget, const LoopDesign& loop,
                      const RunControl& control, SimulationComparison& comparison) {
  const SpiceRun run = LoadStepRunOf(design, budget, loop);
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

// The part loads of `plan` to simulate at `point`, the lightest first: all
// but the full-load run and the points bursting at a fixed frequency.
std::vector<std::size_t> PartLoadsAt(const std::vector<PlannedLoad>& plan, BusPoint point,
                                     const DesignState& design) {
  std::vector<std::size_t> parts;
  for (const double load : kSimulatedLoads) {
    for (std::size_t i = 0; i < plan.size(); ++i) {
      const PlannedLoad& planned = plan[i];
      if (planned.point == point && planned.map->load == load && !planned.full_load_run &&
          !BurstsAtFixedFrequency(*planned.map, design)) {
        parts.push_back(i);
      }
    }
  }
  return parts;
}

}  // namespace

SimulationOutcome SimulateStage(const DesignEvaluation& evaluation, const RunControl& control,
                                LoadPoints load_points) {
  const DesignState& design = evaluation.design;
  const LossBudget& budget = evaluation.budget;
  const EfficiencyMap& map = evaluation.efficiency_map;
  const std::vector<PlannedLoad> plan =
      load_points == LoadPoints::kSimulated ? PlanLoads(map, budget) : std::vector<PlannedLoad>{};
  const BusPoint ends[] = {BusPoint::kLowest, BusPoint::kHighest};
  const char* const end_names[] = {"lowest input voltage", "highest input voltage"};
  std::optional<SimulatedPoint> full_load[2];
  std::string full_load_failure[2];
  std::vector<std::optional<SimulatedPoint>> part_runs(plan.size());
  std::vector<std::string> part_failures(plan.size());
  std::optional<LoopSimulation> loop;
  SimulationComparison load_step;

  // One thread a bus: its full-load point first, as its failure ends the
  // simulation and its settled state starts the part loads at that bus
  // (PartLoad::settled_full_load), which then need far fewer periods; then
  // those part loads from the lightest. The other runs after them, the
  // longest first: the load step where the design's loop is in the
  // netlist, last the loop's short .ac runs, which report no progress of
  // their own.
  std::vector<SideBySideJob> jobs;
  for (const int end : {0, 1}) {
    jobs.emplace_back([&, end](const RunControl& run) {
      const std::vector<std::size_t> parts = PartLoadsAt(plan, ends[end], design);
      const std::size_t count = parts.size() + 1;
      full_load[end] = SimulatePoint(evaluation, ends[end], nullptr, end_names[end],
                                     PartOf(run, 0, count), full_load_failure[end]);
      if (!full_load[end]) return;
      for (std::size_t k = 0; k < parts.size() && !run.cancelled(); ++k) {
        const std::size_t i = parts[k];
        const MapPoint& at = *plan[i].map;
        const PartLoad part{at.load, at.stage, map.controller.f_ceiling_kHz,
                            map.controller.burst_peak_share * budget.worst_case.I_D_max_A,
                            &full_load[end]->figures};
        part_runs[i] = SimulatePoint(evaluation, plan[i].point, &part, LoadPointOf(plan[i]).name,
                                     PartOf(run, k + 1, count), part_failures[i]);
      }
    });
  }
  if (evaluation.loop) {
    jobs.emplace_back([&](const RunControl& run) {
      SimulateLoadStep(design, budget, *evaluation.loop, run, load_step);
    });
  }
  if (evaluation.loop) {
    // The loop's runs report no progress of their own (loop_ac_simulation.h).
    jobs.emplace_back([&](const RunControl& run) {
      loop = SimulateLoop(design, budget, *evaluation.loop, run);
      loop->proposed = SimulateProposedLoop(design, budget, *evaluation.loop, run);
      loop->proposed_parts = evaluation.loop->compensator.rounded;
    });
  }
  RunSideBySide(jobs, control);

  SimulationOutcome outcome;
  if (control.cancelled()) {
    outcome.failure = kCancelledFailure;
    return outcome;
  }
  // A failed full-load point ends the simulation, the lowest input voltage
  // telling first, as where the two ran one after the other.
  for (const int end : {0, 1}) {
    if (!full_load[end]) {
      outcome.failure = full_load_failure[end];
      return outcome;
    }
  }
  outcome.loop = std::move(loop);
  SimulationComparison comparison =
      CompareSimulation(design, budget, std::move(*full_load[0]), std::move(*full_load[1]));
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const PlannedLoad& planned = plan[i];
    SimulatedLoadPoint p = LoadPointOf(planned);
    if (planned.full_load_run) {
      Record(comparison.points[planned.point == BusPoint::kLowest ? 0 : 1], *planned.map, p);
    } else if (part_runs[i]) {
      Record(*part_runs[i], *planned.map, p);
    } else if (BurstsAtFixedFrequency(*planned.map, design)) {
      p.not_simulated = "the map has the controller bursting at its fixed frequency there";
    } else {
      p.not_simulated = part_failures[i];
    }
    comparison.load_points.push_back(std::move(p));
  }
  comparison.load_step = std::move(load_step.load_step);
  comparison.load_step_failure = std::move(load_step.load_step_failure);
  outcome.comparison = std::move(comparison);
  return outcome;
}

}  // namespace flyback
