#pragma once

#include "engine/transformer/voltage_window.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// V, the supply voltage the control IC wants from its winding.
double IcSupplyTarget(ControlIc ic_type);

// V, the window the IC supply may lie in: at least the 10 V the control IC
// needs (the turns determination keeps it there), and not more than one
// turn's voltage above its target.
VoltageWindow IcSupplyWindowOf(const DesignInputs& in, const TransformerDesign& t);

// Whole-number turns of the IC-supply winding and of every output winding
// from the voltage per turn U_ts: each output gets the turns for the middle of
// its window plus the diode drop; the IC supply gets the turns for the supply
// voltage of the control IC, and one turn more if rounding would leave it
// below 10 V.
void determine_turns(const DesignInputs& in, TransformerDesign& t);

}  // namespace flyback
