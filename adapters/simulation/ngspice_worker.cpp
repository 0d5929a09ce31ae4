// flyback-ngspice: one transient analysis of a netlist in ngspice's shared
// library, in a process of its own, so that whatever the netlist does to
// ngspice (an error that ends the library, a crash, a run without end) ends
// with this process and the next netlist meets a fresh library.
//
//   flyback-ngspice STOP_S LIMIT_S VECTOR... [--settle PERIOD_S GATE OUTPUT...] < NETLIST
//   flyback-ngspice --ac LIMIT_S VECTOR... < NETLIST
//
// STOP_S is the end time of the netlist's analysis (s), LIMIT_S the
// processor time (s) the run may take; the records of worker_protocol.h go
// to standard output: progress, then the waveforms VECTOR... or one failure.
// With --settle the analysis pauses every kSettlingWindowPeriods periods of
// PERIOD_S (s) once kLeastSettledPeriods have passed, and ends there when
// the vectors OUTPUT... have settled (engine/simulation/output_settling.h),
// the switch's command being the vector GATE; STOP_S is then the cap.
// With --ac the netlist's own analysis (an .ac sweep) runs once, and each
// VECTOR comes back as its real parts under its name and its imaginary
// parts under ImaginaryPartName(VECTOR).

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/simulation/output_settling.h"
#include "ngspice_error_text.h"
#include "ngspice_library.h"
#include "progress_bound.h"
#include "worker_protocol.h"

namespace flyback {

namespace {

// Exit statuses: the run gave its waveforms; it gave one failure record;
// the program was called wrongly.
constexpr int kRan = 0;
constexpr int kFailed = 1;
constexpr int kMisused = 2;

// Where the records go: a duplicate of standard output, which itself then
// points to /dev/null, since parts of ngspice print there on their own.
int record_descriptor = STDOUT_FILENO;

void Send(const std::string& record) {
  const char* data = record.data();
  std::size_t left = record.size();
  while (left > 0) {
    const ssize_t written = write(record_descriptor, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      std::_Exit(kFailed);  // the program that asked has gone
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

// The state of the one run of this process, told by ngspice's callbacks.
struct Run {
  const char* stage = "ngspice refused the netlist";  // what a failure is named after
  NgspiceErrorText errors;
  double last_percent = -1;
  std::optional<ProgressBound> bound;
};

Run run;

[[noreturn]] void Fail(const std::string& why) {
  Send(FailureRecord(why));
  std::_Exit(kFailed);
}

// The reason with what ngspice said, where it said something.
std::string WithErrors(const std::string& why) {
  const std::string& said = run.errors.Text();
  return said.empty() ? why : why + ": " + said;
}

double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Output lines come as "stdout ..." and "stderr ...": ngspice's errors are
// on the second.
int TakeOutput(char* line, int /*id*/, void* /*user*/) {
  constexpr std::string_view kErrorStream = "stderr ";
  const std::string_view text(line);
  if (text.rfind(kErrorStream, 0) == 0) run.errors.Take(text.substr(kErrorStream.size()));
  return 0;
}

// Status texts like "tran: 45.3%": sent on at every whole percent.
int TakeStatus(char* status, int /*id*/, void* /*user*/) {
  const std::string_view text(status);
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return 0;
  const std::size_t first = text.find_first_not_of(' ', colon + 1);
  if (first == std::string_view::npos) return 0;
  double percent = 0;
  if (std::from_chars(text.data() + first, text.data() + text.size(), percent).ec != std::errc()) {
    return 0;
  }
  if (percent >= run.last_percent + 1 || percent < run.last_percent) {
    run.last_percent = percent;
    Send(ProgressRecord(percent));
  }
  return 0;
}

// ngspice asks to be unloaded after an error it cannot go on from.
int TakeExit(int /*status*/, NG_BOOL /*unload*/, NG_BOOL /*quit*/, int /*id*/, void* /*user*/) {
  Fail(WithErrors(run.stage));
}

// Every accepted step of the analysis, with the values of all its vectors.
int TakeData(pvecvaluesall values, int /*count*/, int /*id*/, void* /*user*/) {
  if (!run.bound) return 0;
  for (int i = 0; i < values->veccount; ++i) {
    const vecvalues& v = *values->vecsa[i];
    if (!v.is_scale) continue;
    if (std::optional<std::string> why = run.bound->Step(v.creal, ProcessorSeconds())) Fail(*why);
    break;
  }
  return 0;
}

int TakeInitData(pvecinfoall /*info*/, int /*id*/, void* /*user*/) {
  return 0;
}

// The processor time limit, kept by the kernel: SIGXCPU at LIMIT_S, and a
// hard end a little after, should the handler not get to run.
std::string limit_record;

void OnLimit(int /*signal*/) {
  // Only write() and _exit() are safe in a signal handler.
  if (write(record_descriptor, limit_record.data(), limit_record.size()) < 0) _exit(kFailed);
  _exit(kFailed);
}

void KeepProcessorLimit(double limit_s) {
  limit_record = FailureRecord("the simulation ran beyond its time limit of " +
                               NumberText(limit_s) + " s of processor time");
  const auto soft = static_cast<rlim_t>(std::ceil(limit_s));
  const rlimit limit{soft, soft + 5};
  setrlimit(RLIMIT_CPU, &limit);
  struct sigaction action {};
  action.sa_handler = OnLimit;
  sigaction(SIGXCPU, &action, nullptr);
}

void Command(const NgspiceLibrary& ng, const char* text) {
  std::string command(text);
  ng.command(command.data());
}

// ngspice's vector `name` of the current plot; null where it has none.
pvector_info VectorOf(const NgspiceLibrary& ng, const std::string& name) {
  std::string key = name;
  const pvector_info info = ng.vector(key.data());
  return info != nullptr && info->v_realdata != nullptr ? info : nullptr;
}

// s, the end of the analysis so far.
double ReachedSeconds(const NgspiceLibrary& ng) {
  const pvector_info time_s = VectorOf(ng, "time");
  return time_s == nullptr || time_s->v_length == 0 ? 0 : time_s->v_realdata[time_s->v_length - 1];
}

std::vector<double> Values(const NgspiceLibrary& ng, const std::string& name) {
  const pvector_info v = VectorOf(ng, name);
  if (v == nullptr) return {};
  return {v->v_realdata, v->v_realdata + v->v_length};
}

constexpr std::string_view kSettleOption = "--settle";
constexpr std::string_view kAcOption = "--ac";
constexpr const char* kUsage =
    "usage: flyback-ngspice STOP_S LIMIT_S VECTOR... [--settle PERIOD_S GATE OUTPUT...] "
    "< NETLIST\n"
    "       flyback-ngspice --ac LIMIT_S VECTOR... < NETLIST\n";

// Where the analysis pauses to ask whether the outputs have settled.
class SettleCheck {
 public:
  SettleCheck(double period_s, std::string gate, std::vector<std::string> outputs)
      : period_s_(period_s), gate_(std::move(gate)), outputs_(std::move(outputs)) {}

  double FirstPause_s(double stop_s) const {
    return Capped(kLeastSettledPeriods * period_s_, stop_s);
  }
  double NextPause_s(double pause_s, double stop_s) const {
    return Capped(pause_s + kSettlingWindowPeriods * period_s_, stop_s);
  }

  bool Settled(const NgspiceLibrary& ng) const {
    const std::vector<double> time_s = Values(ng, "time");
    const std::vector<double> gate = Values(ng, gate_);
    std::vector<std::vector<double>> outputs_V;
    std::vector<const std::vector<double>*> of;
    outputs_V.reserve(outputs_.size());
    for (const std::string& name : outputs_) {
      outputs_V.push_back(Values(ng, name));
      if (outputs_V.back().size() != time_s.size()) return false;
      of.push_back(&outputs_V.back());
    }
    if (gate.size() != time_s.size()) return false;
    return SettlingAtEnd(time_s, gate, of).settled;
  }

 private:
  // Pauses lie whole periods apart, so one less than half a period before
  // STOP_S is STOP_S itself, short of it by rounding alone (1000 us and 25
  // steps of 200 us sum to 2.6e-18 s short of 6000 us): a pause a hair
  // before the end leaves the analysis finished, and ngspice's "resume"
  // would then start it again from 0 s.
  double Capped(double pause_s, double stop_s) const {
    return pause_s > stop_s - 0.5 * period_s_ ? stop_s : pause_s;
  }

  double period_s_;
  std::string gate_;
  std::vector<std::string> outputs_;
};

bool ReadSeconds(const char* text, double& seconds) {
  const std::string_view t(text);
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), seconds);
  return error == std::errc() && end == t.data() + t.size() && seconds > 0;
}

// ngspice with the netlist of standard input loaded, the records going to
// a duplicate of standard output and the processor time kept to limit_s.
const NgspiceLibrary& LoadedCircuit(double limit_s) {
  record_descriptor = dup(STDOUT_FILENO);
  if (FILE* nowhere = std::freopen("/dev/null", "w", stdout); nowhere == nullptr) {
    std::_Exit(kMisused);
  }
  KeepProcessorLimit(limit_s);

  std::string why;
  const NgspiceLibrary* ng = OpenNgspice(why);
  if (ng == nullptr) Fail(why);
  ng->init(TakeOutput, TakeStatus, TakeExit, TakeData, TakeInitData, nullptr, nullptr);

  std::vector<std::string> lines;
  for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
  std::vector<char*> pointers;
  pointers.reserve(lines.size() + 1);
  for (std::string& line : lines) pointers.push_back(line.data());
  pointers.push_back(nullptr);
  if (ng->circuit(pointers.data()) != 0 || !run.errors.Text().empty()) {
    Fail(WithErrors(run.stage));
  }
  return *ng;
}

// The netlist's .ac analysis, its complex vectors sent as real and
// imaginary parts.
int RunAc(int argc, char** argv) {
  double limit_s = 0;
  if (argc < 4 || !ReadSeconds(argv[2], limit_s)) {
    std::cerr << kUsage;
    return kMisused;
  }
  const NgspiceLibrary& ng = LoadedCircuit(limit_s);
  run.stage = "the .ac analysis failed";
  Command(ng, "run");
  std::vector<std::pair<std::string, std::vector<double>>> records;
  for (int i = 3; i < argc; ++i) {
    std::string key = argv[i];
    const pvector_info v = ng.vector(key.data());
    if (v == nullptr || v->v_compdata == nullptr || v->v_length == 0) {
      Fail(WithErrors(run.stage + (": no vector " + key)));
    }
    std::vector<double> real(static_cast<std::size_t>(v->v_length));
    std::vector<double> imaginary(real.size());
    for (std::size_t k = 0; k < real.size(); ++k) {
      real[k] = v->v_compdata[k].cx_real;
      imaginary[k] = v->v_compdata[k].cx_imag;
    }
    records.emplace_back(key, std::move(real));
    records.emplace_back(ImaginaryPartName(key), std::move(imaginary));
  }
  for (const auto& [name, values] : records) {
    Send(VectorRecord(name, values.data(), values.size()));
  }
  Send(EndRecord());
  std::_Exit(kRan);
}

int Main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == kAcOption) return RunAc(argc, argv);
  double stop_s = 0;
  double limit_s = 0;
  if (argc < 3 || !ReadSeconds(argv[1], stop_s) || !ReadSeconds(argv[2], limit_s)) {
    std::cerr << kUsage;
    return kMisused;
  }
  int vectors_end = 3;
  while (vectors_end < argc && std::string_view(argv[vectors_end]) != kSettleOption) ++vectors_end;
  std::optional<SettleCheck> settle;
  if (vectors_end < argc) {
    double period_s = 0;
    if (argc < vectors_end + 4 || !ReadSeconds(argv[vectors_end + 1], period_s)) {
      std::cerr << kUsage;
      return kMisused;
    }
    settle.emplace(period_s, argv[vectors_end + 2],
                   std::vector<std::string>(argv + vectors_end + 3, argv + argc));
  }
  const NgspiceLibrary* ng = &LoadedCircuit(limit_s);

  run.stage = "the analysis failed";
  run.bound.emplace(stop_s, limit_s);
  // One analysis to STOP_S; with --settle, paused where the outputs may
  // have settled, and ended at the first pause where they have.
  double pause_s = settle ? settle->FirstPause_s(stop_s) : stop_s;
  for (bool started = false;; started = true) {
    if (pause_s < stop_s) Command(*ng, ("stop when time > " + SecondsText(pause_s)).c_str());
    Command(*ng, started ? "resume" : "run");
    const double reached_s = ReachedSeconds(*ng);
    // An analysis that gave up ends before its stop time.
    if (reached_s < 0.999 * pause_s) {
      Fail(WithErrors("the netlist did not converge: the analysis stopped at " +
                      NumberText(RoundTo(reached_s * 1e6, 1)) + " us of " +
                      NumberText(RoundTo(stop_s * 1e6, 1)) + " us"));
    }
    if (!settle || pause_s >= stop_s || settle->Settled(*ng)) break;
    Command(*ng, "delete all");
    pause_s = settle->NextPause_s(pause_s, stop_s);
  }
  for (int i = 3; i < vectors_end; ++i) {
    const pvector_info values = VectorOf(*ng, argv[i]);
    const auto count = values == nullptr ? 0 : static_cast<std::size_t>(values->v_length);
    Send(VectorRecord(argv[i], values == nullptr ? nullptr : values->v_realdata, count));
  }
  Send(EndRecord());
  // ngspice's own clean-up at exit has nothing left to give.
  std::_Exit(kRan);
}

}  // namespace

}  // namespace flyback

int main(int argc, char** argv) {
  return flyback::Main(argc, argv);
}
