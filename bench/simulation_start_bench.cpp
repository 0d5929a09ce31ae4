// A warm start against a cold start of the same netlist: the three- and the
// four-output demonstration (80 W, 200 W; output capacitors of 1 % ripple,
// the component list is not made) at both bus voltages, each run in the
// worker program until its outputs have settled or to the end of its 300
// periods. Wall time of a whole run (the worker is a process of its own), and
// as counters the switching periods simulated and whether they settled: a
// cold run that ends unsettled stands for the least a cold start takes.
// Needs flyback-ngspice and libngspice0; a run that cannot start is skipped
// with its reason. Outside the default build (scripts/bench.sh);
// docs/simulation.md gives the figures measured.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/operating_point_figures.h"
#include "engine/simulation/spice_netlist.h"
#include "ngspice_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// s of the worker's processor time: a cold run of 300 periods on a loaded
// machine stays well within it.
constexpr double kBenchTimeLimit_s = 120;

void SimulatedPoint(benchmark::State& state, DesignState (*demo)(), BusPoint point,
                    StartState start) {
  const DesignState design = CalculatedWithComponents(demo());
  // The four-output design is regulated through the opto-coupler: its
  // netlist holds the loop of its evaluation.
  const std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design, {});
  const SpiceRun run = SpiceRunOf(design, evaluation->budget, evaluation->loop, point, start);
  RunControl control;
  control.time_limit_s = kBenchTimeLimit_s;
  OperatingPointFigures figures;
  for (auto _ : state) {
    const RunResult result = RunNetlist(run, control);
    std::string why = result.failure;
    const std::optional<OperatingPointFigures> measured =
        result.waves ? MeasureOperatingPoint(*result.waves, why) : std::nullopt;
    if (!measured) {
      state.SkipWithError(why.c_str());
      return;
    }
    figures = *measured;
  }
  state.counters["periods"] = figures.periods_simulated;
  state.counters["settled"] = figures.settled ? 1 : 0;
}

// Each warm run beside the cold run of the same point, three runs each.
const bool kRegistered = [] {
  const struct {
    const char* name;
    DesignState (*make)();
  } demos[] = {{"ThreeOutputs", ThreeOutputDemo}, {"FourOutputs", FourOutputDemo}};
  const struct {
    const char* name;
    BusPoint point;
  } points[] = {{"Lowest", BusPoint::kLowest}, {"Highest", BusPoint::kHighest}};
  const struct {
    const char* name;
    StartState start;
  } starts[] = {{"Warm", StartState::kWarm}, {"Cold", StartState::kCold}};
  for (const auto& demo : demos) {
    for (const auto& point : points) {
      for (const auto& start : starts) {
        const std::string name =
            std::string("BM_SimulatedPoint/") + demo.name + "/" + point.name + "/" + start.name;
        benchmark::RegisterBenchmark(name.c_str(), SimulatedPoint, demo.make, point.point,
                                     start.start)
            ->UseRealTime()
            ->Unit(benchmark::kSecond)
            ->Iterations(3);
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace flyback
