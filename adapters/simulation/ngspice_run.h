#pragma once

// One transient run of a netlist in ngspice, in the worker program
// flyback-ngspice, a process of its own: whatever the netlist does to
// ngspice ends with that process, and the next run meets a fresh library.
// The circuit goes to the worker's standard input (no file is written); the
// caller's thread waits, reports progress and may cancel (the worker is
// killed); the waveforms come back as copies.

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "engine/simulation/simulated_waveforms.h"
#include "engine/simulation/spice_netlist.h"

namespace flyback {

struct RunControl {
  // Told the share (0 .. 1) of the analysis done, on the caller's thread.
  std::function<void(double share)> progress;
  // Set by another thread to stop the run.
  const std::atomic<bool>* cancel = nullptr;
  // s of the worker's processor time: a machine under load makes a run take
  // longer, not use more of it.
  double time_limit_s = 60;

  bool cancelled() const { return cancel != nullptr && *cancel; }
};

// The failure of a run that was cancelled.
inline constexpr const char* kCancelledFailure = "the simulation was cancelled";

struct RunResult {
  std::optional<SimulatedWaveforms> waves;
  std::string failure;  // why there are none: one line
  double run_s = 0;     // s, wall time of the run
};

// Runs `run` until its outputs have settled (engine/simulation/output_settling.h),
// at the latest to its end; a load step always to its end. Runs of several
// threads go on side by side, each in its own worker. A netlist that would
// hold a figure that is not finite is not run; the failure names its line.
RunResult RunNetlist(const SpiceRun& run, const RunControl& control);

}  // namespace flyback
