#pragma once

// Dimensioning of every component of the circuit from the finished transformer
// design: mains-side parts, switching MOSFET, PFC parts and the network around
// the control IC. Asks nothing and prints nothing; it writes its results into
// the design state and leaves what a run does not dimension unchanged.

#include "design/design_state.h"

namespace flyback {

void dimension_components(DesignState& state);

}  // namespace flyback
