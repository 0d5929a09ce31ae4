#pragma once

#include "design/design_inputs.h"
#include "design/transformer_design.h"

namespace flyback {

// V, the supply voltage the control IC wants from its winding.
double IcSupplyTarget(ControlIc ic_type);

// Whole-number turns of the IC-supply winding and of every output winding
// from the voltage per turn U_ts: each output gets the turns for the middle of
// its window plus the diode drop; the IC supply gets the turns for the supply
// voltage of the control IC, and one turn more if rounding would leave it
// below 10 V.
void determine_turns(const DesignInputs& in, TransformerDesign& t);

}  // namespace flyback
