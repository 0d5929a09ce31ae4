#pragma once

#include "design/design_state.h"

namespace flyback {

// Whole-number turns of the IC-supply winding and of every output winding
// from the voltage per turn U_ts: each output gets the turns for the middle of
// its window plus the diode drop; the IC supply gets the turns for the supply
// voltage of the control IC, and one turn more if rounding would leave it
// below 10 V.
void determine_turns(DesignState& s);

}  // namespace flyback
