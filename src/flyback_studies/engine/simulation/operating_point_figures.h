#pragma once

// The figures of one simulated operating point, taken from its waveforms
// over the last whole switching periods: what the stage delivers once it has
// settled. Averages are integrals over time divided by the time (the
// simulator's steps are not equal).

#include <optional>
#include <string>
#include <vector>

#include "engine/simulation/simulated_waveforms.h"

namespace flyback {

struct SimulatedOutput {
  int winding = 0;        // 0 the IC supply, 1 .. 6 output i
  double U_avg_V = 0;     // V, average output voltage
  double U_ripple_V = 0;  // V, peak to peak
  double P_W = 0;         // W, average power into its load
};

// A few periods of the settled waveforms at equal steps, for a chart.
struct WaveformExcerpt {
  std::vector<double> time_us;  // µs from the excerpt's start
  std::vector<double> drain_V;
  std::vector<double> primary_A;
  std::vector<std::vector<double>> winding_A;  // the windings in the order of `outputs`
  std::vector<double> reflected_A;             // A, all winding currents reflected to the primary
};

struct OperatingPointFigures {
  double U_bus_V = 0;
  std::vector<SimulatedOutput> outputs;  // the IC supply first
  double I_D_peak_A = 0;                 // A, highest primary current
  double U_D_peak_V = 0;                 // V, highest drain voltage
  double f_sw_kHz = 0;                   // kHz, switching frequency over the periods taken
  double P_in_W = 0;                     // W, from the bus
  double P_out_W = 0;                    // W, into the loads of the outputs (not the IC supply)
  double efficiency = 0;                 // P_out / P_in
  int periods = 0;                       // whole switching periods the figures are taken over
  int periods_simulated = 0;             // whole switching periods of the whole run
  bool settled = false;                  // the outputs settled by the run's end (output_settling.h)
  WaveformExcerpt excerpt;
};

// Periods the figures are taken over, and those of the chart excerpt.
inline constexpr int kMeasuredPeriods = 30;
inline constexpr int kExcerptPeriods = 3;

// The figures of `waves` over its last kMeasuredPeriods switching periods
// (turn-on to turn-on); none, with the reason in `why`, where the switch has
// not turned on often enough to give them.
std::optional<OperatingPointFigures> MeasureOperatingPoint(const SimulatedWaveforms& waves,
                                                           std::string& why);

}  // namespace flyback
