#pragma once

// How the flyback stage switches at one bus voltage and one input power: the
// operating point the losses are worked out at. Unlike the calculation's
// design point, which bounds the worst case with the average input current
// at the valley of the bus ripple and the times at its crest, each point here
// stores per period exactly the energy its input power brings in.

#include <string_view>

#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

enum class SwitchingMode {
  // Free running (quasi-resonant): the next period starts once the core has
  // demagnetized, after the valley delay the period factor k_T counts.
  kBoundary,
  // Fixed frequency, the core demagnetizes before the period ends.
  kDiscontinuous,
  // Fixed frequency, the period ends before the core has demagnetized: the
  // primary current starts from a pedestal.
  kContinuous,
};

// "boundary", "discontinuous" or "continuous".
std::string_view SwitchingModeName(SwitchingMode mode);

// The figures of the designed stage that fix its switching.
struct SwitchingStage {
  double L_prim_uH = 0;
  double U_refl_V = 0;  // V, reflected voltage n_prim·U_ts
  double k_T = 1;       // period factor of free running (valley delay, PFC)
  bool fixed_frequency = false;
  double f_fixed_kHz = 0;       // kHz, the lowest fixed frequency f_fix_min
  double B_per_A_mT = 0;        // mT per A of primary current (same turns, same core)
  double I_bridge_per_W_A = 0;  // A/W, bridge current per watt of input power
};

// The stage of the design `t` at the mains voltage U_mains_V (V rms): the
// bridge current follows the calculation's own rule P_in/(U_mains·k_valley).
SwitchingStage StageOf(const DesignInputs& in, const TransformerDesign& t, double U_mains_V);

struct SwitchingPoint {
  double U_bus_V = 0;  // V, bus voltage of the point
  double P_in_W = 0;   // W, input power the stage draws
  SwitchingMode mode = SwitchingMode::kBoundary;
  double I_pk_A = 0;     // A, peak primary current
  double I_start_A = 0;  // A, primary current at switch-on (0 but in continuous mode)
  double t_on_us = 0;    // µs
  double t_off_us = 0;   // µs, demagnetization (the whole off time in continuous mode)
  double period_us = 0;
  double B_max_mT = 0;        // mT, peak flux density (from 0)
  double I_in_avg_A = 0;      // A, average current of the bridge
  int fixed_point_steps = 0;  // iterations of input power against the losses
  // Whether the input power settled where the losses let it; false where the
  // losses outgrow it (the figures are then those of the last step).
  bool fixed_point_met = true;
  // Share of the time the stage switches: 1 but in burst operation, where
  // bursts of these pulses alternate with pauses.
  double burst_duty = 1;
};

// The point at the bus voltage U_bus_V (V) drawing P_in_W (W).
// Boundary: I_pk = 2·P·k_T·(1/U_bus + 1/U_refl), t_on = L·I_pk/U_bus,
// t_off = L·I_pk/U_refl, T = k_T·(t_on + t_off).
// Fixed frequency, discontinuous while t_on + t_off ≤ T: I_pk = √(2·P·T/L).
// Continuous otherwise: D = U_refl/(U_bus + U_refl), the mid current
// P/(U_bus·D) and the ripple U_bus·D·T/L about it.
SwitchingPoint SwitchingAt(const SwitchingStage& stage, double U_bus_V, double P_in_W);

}  // namespace flyback
