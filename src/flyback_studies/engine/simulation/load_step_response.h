#pragma once

// What output 1 does across a load step of the switching netlist with the
// design's own loop (spice_netlist.h, LoadStepRunOf): every output's load
// from 100 % to 50 % and back. Output 1 is averaged over windows of one
// design period, so that the switching ripple does not count as the step's
// response. Per edge: the settled voltage before and after it (each the
// average of the last kSettledWindows windows of its part), the extreme
// the window averages reach after the edge (above the settled voltage after
// a fall of the load, below it after a rise), and the settling time: from
// the edge to the end of the last window whose average lies more than
// kLoadStepBand of the regulated voltage from the settled voltage after it.
// None where the last kSettledWindows windows of the part already spread
// more than that band: the output has not settled within the part.

#include <optional>
#include <string>
#include <vector>

#include "engine/simulation/simulated_waveforms.h"
#include "engine/simulation/spice_netlist.h"

namespace flyback {

inline constexpr double kLoadStepBand = 0.01;  // of the regulated voltage
inline constexpr int kSettledWindows = 10;

struct LoadStepEdge {
  std::string name;                  // "100 % to 50 %", "50 % to 100 %"
  double U_before_V = 0;             // V, settled before the edge
  double U_after_V = 0;              // V, settled after it
  double U_extreme_V = 0;            // V, the farthest window average after the edge
  double deviation_V = 0;            // V, U_extreme_V - U_after_V: + an overshoot, - an undershoot
  std::optional<double> settling_s;  // s, none: not settled within the part
};

struct LoadStepResponse {
  double U_regulated_V = 0;  // V, output 1's calculated voltage
  LoadStepTimes times;
  std::vector<LoadStepEdge> edges;  // the fall of the load, then its rise
  // Output 1 averaged over each window of one design period: its end (s)
  // and the average (V), for a plot.
  std::vector<double> window_end_s;
  std::vector<double> window_average_V;
};

// The response of output 1 in `waves` of a run of `run`; `U_regulated_V`
// its calculated voltage. None where the waveforms do not reach the run's
// end.
std::optional<LoadStepResponse> MeasureLoadStep(const SimulatedWaveforms& waves,
                                                const SpiceRun& run, double U_regulated_V);

}  // namespace flyback
