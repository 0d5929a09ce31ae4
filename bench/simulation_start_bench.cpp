// A warm start against a cold start of the same netlist: the three- and the
// four-output demonstration (80 W, 200 W; output capacitors of 1 % ripple,
// the component list is not made) at both bus voltages, each run in the
// worker program until its outputs have settled or to the end of its 300
// periods. Wall time of a whole run (the worker is a process of its own), and
// as counters the switching periods simulated and whether they settled (a
// cold run that ends unsettled stands for the least a cold start takes), the
// worker's processor time, and output 1, the output power, the efficiency
// and the frequency over the last periods.
// Needs flyback-ngspice and libngspice0; a run that cannot start is skipped
// with its reason. Outside the default build (scripts/bench.sh);
// docs/simulation.md gives the figures measured.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

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

// s, the user processor time of this process's finished children: the
// workers, each ended and waited for by the end of its run.
double FinishedChildrenCpu_s() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec) +
         1e-6 * static_cast<double>(usage.ru_utime.tv_usec);
}

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
  double cpu_s = 0;
  for (auto _ : state) {
    const double cpu_before_s = FinishedChildrenCpu_s();
    const RunResult result = RunNetlist(run, control);
    cpu_s = FinishedChildrenCpu_s() - cpu_before_s;
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
  state.counters["cpu_s"] = cpu_s;
  state.counters["out1_V"] = figures.outputs.size() > 1 ? figures.outputs[1].U_avg_V : 0;
  state.counters["P_out_W"] = figures.P_out_W;
  state.counters["eff"] = figures.efficiency;
  state.counters["f_kHz"] = figures.f_sw_kHz;
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
