#pragma once

// The network that catches the leakage energy at the drain, as the
// component list builds it, and the voltage it settles at.
//
// Without PFC the list has the RCD snubber D10, C11, R11: the diode from the
// drain to C11 and R11 in parallel, returned to the bus. With PFC the charge
// pump C08, L08, D08 replaces it: its capacitor at the drain takes the
// leakage energy and returns it to the bus, holding the drain where the
// transformer calculation puts it, k_os·U_refl above the bus. Beside the pump
// the list keeps D09 with C06 and R06 in parallel: C06 is charged to that
// voltage at each turn-off and R06 discharges it (docs/losses-models.md).

#include <string>

#include "engine/losses/switching_point.h"
#include "state/design/component_values.h"
#include "state/design/design_inputs.h"

namespace flyback {

struct ClampNetwork {
  std::string name;  // "RCD snubber"
  std::string diode;
  std::string capacitor;
  std::string resistor;
  double R_ohm = 0;
  double C_nF = 0;
  double R_rating_W = 0;  // W, the list's power rating of the resistor
  double C_rating_V = 0;  // V, the list's voltage rating of the capacitor
  double D_rating_V = 0;  // V, the reverse voltage of the list's diode
  // The clamp voltage as a multiple of U_refl where the charge pump holds
  // it; 0 where the leakage energy alone sets it.
  double held_U_refl_factor = 0;
  std::string not_modelled;  // what of the network the model leaves out; empty for none
};

// The network of the component list: the snubber without PFC (R11 from the
// dimensioned components `c`, kOhm), the clamp beside the charge pump with.
ClampNetwork ClampNetworkOf(const DesignInputs& in, const ComponentValues& c);

struct ClampPoint {
  double U_clamp_V = 0;     // V, peak of the clamp capacitor above the bus
  double U_start_V = 0;     // V, what the resistor leaves of it at the next turn-off
  double P_W = 0;           // W, dissipated in the resistor
  double drain_peak_V = 0;  // V, U_bus + U_clamp
};

// The clamp in steady state at the switching point `s`: at turn-off the
// peak primary current lifts the capacitor to the reflected voltage U_refl_V
// (V), if the resistor has let it fall below, then the leakage inductance
// L_lk_uH (µH) rings its current into it (½·L_lk·I_pk² = ½·C·((U − U_refl)²
// − (U_start − U_refl)²)). The resistor discharges it with τ = R·C. Where it
// reaches U_refl within the demagnetization time t_dis (s.t_off_us), the
// diode holds it there against the drain at U_bus + U_refl: R dissipates
// U_refl²/R for the rest of t_dis, then the capacitor decays to U_start =
// U_refl·exp(−(T − t_dis)/τ), and per period R takes ½·C·(U² − U_start²) +
// U_refl²/R·(t_dis − τ·ln(U/U_refl)). Otherwise it decays over the whole
// period to U_start = U·exp(−T/τ) and R takes ½·C·(U² − U_start²): for
// R·C ≫ T the familiar U = (U_refl + √(U_refl² + 2·R·L_lk·I_pk²·f))/2.
// Where the charge pump holds the clamp, U = held_U_refl_factor·U_refl.
ClampPoint ClampAt(const ClampNetwork& network, double L_lk_uH, const SwitchingPoint& s,
                   double U_refl_V);

}  // namespace flyback
