#pragma once

// The compensator the design has: the fixed parts of the component list's
// opto-coupler section around the designed divider, and the capacitor at the
// controller's feedback pin. docs/loop.md gives the circuit reading:
//   R61 the LED's series resistor from output 1 (the fast lane),
//   R62 across the LED (the regulator's bias; no signal, the LED holds
//       its forward voltage),
//   R63 in series with C61 from the regulator's cathode to its reference,
//   C62 across that pair,
//   R65 the divider's upper resistor,
//   C28 from the feedback pin to ground, with the controller's pull-up.

#include "engine/loop/opto_compensator.h"
#include "state/design/design_state.h"

namespace flyback {

OptoCompensator ListedCompensatorOf(const DesignState& s);

}  // namespace flyback
