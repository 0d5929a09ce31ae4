#pragma once

// The designed flyback stage as an ngspice netlist that a user runs by hand
// (`ngspice -b FILE.cir`): the DC bus at the design point, the MOSFET as a
// switch, the RCD clamp, the transformer as coupled inductors of whole turns,
// the rectified outputs under full load and a behavioural controller (quasi-
// resonant current mode, or current-mode PWM at the lowest fixed frequency).
// The run prints the settled output voltages, the peak drain current and
// voltage, and the switching frequency. docs/simulation.md gives the model
// and its limits.

#include <string>

#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// The netlist of the calculated design `s`; `budget` gives the leakage share,
// the drain capacitance, the IC's supply current, the clamp voltage and the
// clamp loss.
std::string SpiceNetlist(const DesignState& s, const LossBudget& budget);

}  // namespace flyback
