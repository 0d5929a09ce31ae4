#pragma once

// The flyback transformer as the last calculation left it: its operating
// point in the worst case (lowest input voltage at full power) and the turns
// of its windings. Written by the transformer calculation, the turns
// determination and the manual changes; `Bmax` is also set by the pages that
// choose the working magnetization (limit, manual change, optimization).

#include <array>
#include <cstddef>

#include "state/design/design_inputs.h"

namespace flyback {

struct TransformerDesign {
  double Bmax = 0;         // mT, working magnetization
  double D_max = 0;        // duty cycle at minimum input voltage and full power
  double I_in_avg = 0;     // A, average input current at the lowest bus voltage
  double I_mains_max = 0;  // A, P_in_max / U_mains_min
  double I_D_max = 0;      // A, peak drain current
  double n_prim = 0;       // primary turns, real-valued
  double q_D = 0;          // ratio of off phase to on phase
  double U_ts = 0;         // V, voltage per turn in the off phase
  double U_bus_max = 0;    // V, maximum bus voltage
  double U_D_max = 0;      // V, maximum drain voltage including overshoots
  double L_prim = 0;       // µH, primary inductance from the unrounded turns
  double t_on = 0;         // µs, maximum switch-on time
  double t_off = 0;        // µs, demagnetization time at full load
  double fsntmin = 0;      // kHz, lowest switching frequency
  double k_fix = 0;        // (fsntmin / f_fix_min)^(1/4), fixed frequency only
  double t_on_fix = 0;     // µs, switch-on time at f_fix_min
  double I_D_max_fix = 0;  // A, peak drain current at f_fix_min

  // Turns of the IC-supply winding and of the output windings: whole numbers
  // from the turns determination, or any value set by hand.
  double nic = 0;
  std::array<double, kMaxOutputs> n{};

  // Turns of the winding of output i, counted from 1.
  double& n_out(int i) { return n.at(static_cast<std::size_t>(i - 1)); }
  double n_out(int i) const { return n.at(static_cast<std::size_t>(i - 1)); }
};

}  // namespace flyback
