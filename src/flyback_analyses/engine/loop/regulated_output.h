#pragma once

// The opto-regulated output as the feedback loop sees it. The stage delivers
// the power of every output and the shunt regulator watches only output 1,
// so the loop sees the whole output power drawn at output 1's voltage; the
// other outputs' capacitors are referred to output 1 by their stored energy
// (C·U² is kept), as their voltages follow output 1 through the turns.

#include "state/design/design_state.h"

namespace flyback {

struct RegulatedOutput {
  double U_V = 0;          // V, the opto-regulated voltage U_opto
  double P_full_W = 0;     // W, every output's power at full load, P_out_max
  double C_own_uF = 0;     // µF, output 1's capacitor of the component list
  double C_total_uF = 0;   // µF, every output's capacitor referred to output 1
  double ESR_ohm = 0;      // Ω, of output 1's capacitor at 100 kHz (OutputCapacitorEsr_ohm)
  double turns_ratio = 0;  // primary turns per turn of output 1, n_prim/n_1
};

RegulatedOutput RegulatedOutputOf(const DesignState& s);

// Ω, the load the loop sees at `load_share` (0 ... 1) of full output power.
double LoadResistance(const RegulatedOutput& out, double load_share);

}  // namespace flyback
