#pragma once

// The resistor and capacitor network around the control IC.

#include "state/design/component_values.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// Upper resistor of the IC-supply divider before rounding, kOhm: the lower
// resistor R38 (kOhm) against the supply sum U_sup (V) above the IC's
// regulation threshold U_threshold (V; 5 V, 4.25 V with opto regulation).
// At or below the threshold the divider cannot work and the value is 0.
double R29_raw(double R38, double U_sup, double U_threshold);

// PWX 40218-2 / PWX 40219 family: start-up, maximum on-time, mains
// undervoltage, supply divider, zero-crossing delay, fixed-frequency
// oscillator, gate resistor and (with THP) the high-power timer. Needs the
// MOSFET's C_iss in `c`.
void dimension_pwx_network(const DesignInputs& in, const TransformerDesign& t, ComponentValues& c);

// QRM1X305: start-up, maximum on-time, zero-crossing sense divider, supply
// divider with its filter capacitor and the gate resistor. Needs the
// MOSFET's C_iss in `c`.
void dimension_qrm_network(const DesignInputs& in, const TransformerDesign& t, ComponentValues& c);

}  // namespace flyback
