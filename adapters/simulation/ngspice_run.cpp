#include "ngspice_run.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/simulation/stage_nodes.h"
#include "worker_conversation.h"
#include "worker_protocol.h"

namespace flyback {

namespace {

using Clock = std::chrono::steady_clock;

// The vectors a run gives, for each of them its name at ngspice.
struct VectorNames {
  std::vector<std::string> names;

  explicit VectorNames(const SpiceRun& run) {
    names = {"time", kDrainNode, BranchCurrentVector(kPrimarySense),
             BranchCurrentVector(kBusSource), kGateNode};
    for (const SpiceRun::Load& load : run.loads) {
      names.push_back(OutputNode(load.winding));
      names.push_back(BranchCurrentVector(WindingInductor(load.winding)));
    }
  }
};

std::optional<SimulatedWaveforms> Waveforms(const SpiceRun& run,
                                            std::map<std::string, std::vector<double>>& got,
                                            std::string& why) {
  SimulatedWaveforms w;
  w.U_bus_V = run.U_bus_V;
  w.time_s = std::move(got["time"]);
  w.drain_V = std::move(got[kDrainNode]);
  w.primary_A = std::move(got[BranchCurrentVector(kPrimarySense)]);
  w.bus_A = std::move(got[BranchCurrentVector(kBusSource)]);
  w.gate = std::move(got[kGateNode]);
  std::vector<const std::vector<double>*> all = {&w.drain_V, &w.primary_A, &w.bus_A, &w.gate};
  for (const SpiceRun::Load& load : run.loads) {
    w.windings.push_back({load.winding, load.R_ohm, load.turns_ratio,
                          std::move(got[OutputNode(load.winding)]),
                          std::move(got[BranchCurrentVector(WindingInductor(load.winding))])});
  }
  for (const SimulatedWinding& winding : w.windings) {
    all.push_back(&winding.output_V);
    all.push_back(&winding.current_A);
  }
  for (const std::vector<double>* vector : all) {
    if (w.time_s.empty() || vector->size() != w.time_s.size()) {
      why = "ngspice returned incomplete waveforms";
      return std::nullopt;
    }
  }
  return w;
}

}  // namespace

RunResult RunNetlist(const SpiceRun& run, const RunControl& control) {
  RunResult result;
  // A figure that is not a number would only be refused by ngspice with a
  // less telling message: the netlist is not run at all.
  if (!run.non_finite_line.empty()) {
    result.failure = "the netlist would hold a figure that is not finite: " + run.non_finite_line;
    return result;
  }
  const Clock::time_point start = Clock::now();
  std::vector<std::string> arguments = {SecondsText(run.stop_s), SecondsText(control.time_limit_s)};
  const VectorNames vectors(run);
  arguments.insert(arguments.end(), vectors.names.begin(), vectors.names.end());
  // The run ends once the outputs have settled, at the latest at stop_s; a
  // load step runs to its end.
  if (!run.load_step) {
    arguments.insert(arguments.end(), {"--settle", SecondsText(run.period_s), kGateNode});
    for (const SpiceRun::Load& load : run.loads) arguments.push_back(OutputNode(load.winding));
  }

  WorkerReply reply = ConverseWithWorker(arguments, run.netlist, control);
  result.failure = std::move(reply.failure);
  result.run_s = std::chrono::duration<double>(Clock::now() - start).count();
  if (result.failure.empty()) result.waves = Waveforms(run, reply.vectors, result.failure);
  return result;
}

}  // namespace flyback
