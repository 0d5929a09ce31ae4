#pragma once

// The losses that do not follow the switching: resistors across the bus and
// across the regulated output, which draw the same power at any load and
// dominate with none. Each is a part of the component list; docs/efficiency.md
// names those the component list does not give (no X-capacitor bleeder, no
// capacitor leakage data).

#include <string>
#include <vector>

#include "state/design/design_state.h"

namespace flyback {

struct StandingLoss {
  std::string name;  // "start-up resistor R22"
  double P_W = 0;
};

// Where the standing losses draw their power from.
struct StandingLosses {
  std::vector<StandingLoss> bus;     // from the bus, beside the switching stage
  std::vector<StandingLoss> output;  // from the regulated output, through the stage
  double bus_W() const;
  double output_W() const;
};

// V, the forward voltage of the opto coupler's LED at the shunt regulator's
// bias current of about 1 mA (typical IF-VF curve of PC817-class couplers).
inline constexpr double kOptoLedForward_V = 1.0;
// Ohm, R62 of the component list across the opto coupler's LED: the shunt
// regulator's least current flows through it.
inline constexpr double kShuntBiasResistor_ohm = 820;

// The standing losses of the design `s` at the bus voltage U_bus_V (V):
// (U_bus - U_IC)^2/R22 in the start-up resistor; U_bus^2/(R23 + R24) in the
// mains undervoltage divider of the PWX family; with opto regulation
// U_opto^2/(R60 + P60 + R65) in the output's divider and U_opto*U_LED/R62,
// the shunt regulator's bias.
StandingLosses StandingLossesAt(const DesignState& s, double U_bus_V);

}  // namespace flyback
