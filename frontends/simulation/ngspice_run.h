#pragma once

// One transient run of a netlist in ngspice's shared library, in process:
// the circuit is handed over as lines (no file), run in ngspice's background
// thread while the caller's thread waits, reports progress and may cancel,
// and its waveforms are copied out before the circuit is removed again.

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
  double time_limit_s = 60;  // s of wall time
};

struct RunResult {
  std::optional<SimulatedWaveforms> waves;
  std::string failure;  // why there are none: one line
  double run_s = 0;     // s, wall time of the analysis
};

// Runs `run` to its end. Runs of several threads wait for each other: the
// library holds one circuit state.
RunResult RunNetlist(const SpiceRun& run, const RunControl& control);

}  // namespace flyback
