#pragma once

// The waveforms of one simulated operating point as the simulator returns
// them: one time axis and, for each quantity, its value at every time point.
// The steps are as long as the simulator chose them, not equal.

#include <vector>

namespace flyback {

struct SimulatedWinding {
  int winding = 0;                // 0 the IC supply, 1 .. 6 output i
  double load_ohm = 0;            // Ω, its load resistor
  double turns_ratio = 0;         // its turns over the primary's
  std::vector<double> output_V;   // V, the rectified output
  std::vector<double> current_A;  // A, the winding's current into its rectifier
};

struct SimulatedWaveforms {
  double U_bus_V = 0;                      // V, the DC bus of the run
  std::vector<double> time_s;              // s
  std::vector<double> drain_V;             // V, drain to ground
  std::vector<double> primary_A;           // A, the primary current (the drain current)
  std::vector<double> bus_A;               // A, the current the bus source delivers
  std::vector<double> gate;                // the switch's command: 1 on, 0 off
  std::vector<SimulatedWinding> windings;  // the IC supply first, then the outputs
};

}  // namespace flyback
