#include "ngspice_run.h"

#include <chrono>
#include <clocale>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/simulation/stage_nodes.h"
#include "ngspice_library.h"

namespace flyback {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPollInterval = std::chrono::milliseconds(20);
// How long a halted run may take to end its thread.
constexpr auto kHaltWait = std::chrono::seconds(5);

// ngspice reads numbers partly with the C library, which follows the
// process's LC_NUMERIC: a decimal comma there would misread "0.5". The run
// takes the C rule for numbers and gives the user's back after.
class CNumbersDuringRun {
 public:
  CNumbersDuringRun() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
    std::setlocale(LC_NUMERIC, "C");
  }
  ~CNumbersDuringRun() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  CNumbersDuringRun(const CNumbersDuringRun&) = delete;
  CNumbersDuringRun& operator=(const CNumbersDuringRun&) = delete;

 private:
  std::string saved_;
};

// What ngspice's callbacks tell, from its background thread.
struct Reports {
  std::atomic<bool> finished{false};  // the background thread has ended
  std::atomic<double> percent{0};
  std::atomic<bool> exited{false};  // ngspice asked to be unloaded
  std::mutex mutex;
  std::string error;  // the first error line of the run
};

Reports reports;

// Error lines come as "stderr Error: ...": the first one that names an
// error or an abort is kept.
int TakeOutput(char* line, int /*id*/, void* /*user*/) {
  const std::string text(line);
  if (text.rfind("stderr ", 0) != 0) return 0;
  const std::string message = text.substr(7);
  if (message.find("rror") == std::string::npos && message.find("abort") == std::string::npos &&
      message.find("too small") == std::string::npos) {
    return 0;
  }
  const std::lock_guard lock(reports.mutex);
  if (reports.error.empty()) reports.error = message;
  return 0;
}

// Status texts like "tran: 45.3%".
int TakeStatus(char* status, int /*id*/, void* /*user*/) {
  const std::string text(status);
  const std::size_t colon = text.find(':');
  if (colon != std::string::npos) {
    std::istringstream in(text.substr(colon + 1));
    in.imbue(std::locale::classic());
    double percent = 0;
    if (in >> percent) reports.percent = percent;
  }
  return 0;
}

int TakeExit(int /*status*/, NG_BOOL /*unload*/, NG_BOOL /*quit*/, int /*id*/, void* /*user*/) {
  reports.exited = true;
  return 0;
}

// ngspice calls it with false as its thread starts and with true as it ends.
int TakeThreadState(NG_BOOL ended, int /*id*/, void* /*user*/) {
  if (ended) reports.finished = true;
  return 0;
}

void Command(const NgspiceLibrary& ng, const char* text) {
  std::string command(text);
  ng.command(command.data());
}

const NgspiceLibrary* Initialized(std::string& why) {
  const NgspiceLibrary* ng = OpenNgspice(why);
  static std::once_flag once;
  if (ng != nullptr) {
    std::call_once(once, [ng] {
      ng->init(TakeOutput, TakeStatus, TakeExit, nullptr, nullptr, TakeThreadState, nullptr);
    });
  }
  return ng;
}

// A copy of the vector `name` of the current plot; empty where it is not.
std::vector<double> VectorOf(const NgspiceLibrary& ng, const std::string& name) {
  std::string key = name;
  const pvector_info info = ng.vector(key.data());
  if (info == nullptr || info->v_realdata == nullptr) return {};
  return {info->v_realdata, info->v_realdata + info->v_length};
}

std::optional<SimulatedWaveforms> CollectWaveforms(const NgspiceLibrary& ng, const SpiceRun& run,
                                                   std::string& why) {
  SimulatedWaveforms w;
  w.U_bus_V = run.U_bus_V;
  w.time_s = VectorOf(ng, "time");
  w.drain_V = VectorOf(ng, kDrainNode);
  w.primary_A = VectorOf(ng, BranchCurrentVector(kPrimarySense));
  w.bus_A = VectorOf(ng, BranchCurrentVector(kBusSource));
  w.gate = VectorOf(ng, kGateNode);
  std::vector<const std::vector<double>*> all = {&w.drain_V, &w.primary_A, &w.bus_A, &w.gate};
  for (const SpiceRun::Load& load : run.loads) {
    w.windings.push_back({load.winding, load.R_ohm, load.turns_ratio,
                          VectorOf(ng, OutputNode(load.winding)),
                          VectorOf(ng, BranchCurrentVector(WindingInductor(load.winding)))});
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
  // An analysis that gave up early ends before its stop time.
  if (w.time_s.back() < 0.999 * run.stop_s) {
    why = "the netlist did not converge: the analysis stopped at " +
          NumberText(RoundTo(w.time_s.back() * 1e6, 1)) + " us of " +
          NumberText(RoundTo(run.stop_s * 1e6, 1)) + " us";
    return std::nullopt;
  }
  return w;
}

}  // namespace

RunResult RunNetlist(const SpiceRun& run, const RunControl& control) {
  static std::mutex one_run;
  const std::lock_guard lock(one_run);
  const CNumbersDuringRun c_numbers;
  RunResult result;
  const NgspiceLibrary* ng = Initialized(result.failure);
  if (ng == nullptr) return result;
  if (reports.exited) {
    result.failure = "ngspice has ended after an earlier error";
    return result;
  }
  {
    const std::lock_guard reports_lock(reports.mutex);
    reports.error.clear();
  }
  reports.percent = 0;
  reports.finished = false;

  std::vector<std::string> lines;
  std::istringstream netlist(run.netlist);
  for (std::string line; std::getline(netlist, line);) lines.push_back(line);
  std::vector<char*> pointers;
  pointers.reserve(lines.size() + 1);
  for (std::string& line : lines) pointers.push_back(line.data());
  pointers.push_back(nullptr);
  const Clock::time_point start = Clock::now();
  if (ng->circuit(pointers.data()) != 0 || !reports.error.empty()) {
    result.failure = "ngspice refused the netlist: " + reports.error;
    Command(*ng, "remcirc");
    return result;
  }
  Command(*ng, "bg_run");
  bool halted = false;
  Clock::time_point halted_at;
  while (!reports.finished) {
    std::this_thread::sleep_for(kPollInterval);
    if (control.progress) control.progress(reports.percent / 100);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const bool cancelled = control.cancel != nullptr && *control.cancel;
    if (!halted && (cancelled || seconds > control.time_limit_s)) {
      Command(*ng, "bg_halt");
      halted = true;
      halted_at = Clock::now();
      result.failure = cancelled ? "the simulation was cancelled"
                                 : "the simulation ran beyond its time limit of " +
                                       NumberText(control.time_limit_s) + " s";
    }
    if (halted && Clock::now() - halted_at > kHaltWait) break;
  }
  result.run_s = std::chrono::duration<double>(Clock::now() - start).count();
  if (!halted) {
    std::string why;
    result.waves = CollectWaveforms(*ng, run, why);
    if (!result.waves) {
      const std::lock_guard reports_lock(reports.mutex);
      result.failure = reports.error.empty() ? why : why + " (" + reports.error + ")";
    }
  }
  Command(*ng, "destroy all");
  Command(*ng, "remcirc");
  return result;
}

}  // namespace flyback
