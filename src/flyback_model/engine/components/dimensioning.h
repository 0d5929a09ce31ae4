#pragma once

// Dimensioning of every component of the circuit from the finished transformer
// design: mains-side parts, switching MOSFET, PFC parts and the network around
// the control IC. Asks nothing and prints nothing. Returns the component
// values of the design; what the design does not need keeps its value.

#include "state/design/component_values.h"
#include "state/design/design_state.h"

namespace flyback {

ComponentValues dimension_components(const DesignState& design);

// The opto divider R60 and R65 (and the shunt reference U_ref) for the
// adjustment range U1rmin ... U1rmax and the trimmer P60 of `c`.
void SetOptoDivider(ComponentValues& c);

}  // namespace flyback
