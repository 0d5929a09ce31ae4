#pragma once

// The rectifier the component list proposes for an output of the calculated
// design: the diode catalogue's row for the output's peak reverse voltage and
// its current.

#include "engine/components/catalogue_lookup.h"
#include "state/design/design_state.h"

namespace flyback {

// V, peak reverse voltage of the rectifier of output i: the bus voltage
// transformed by the turns ratio, with overshoots, on top of the output voltage.
double OutputRectifierReverseVoltage(const DesignState& s, int i);

// D4i of the component list.
const Proposal& OutputRectifierOf(const DesignState& s, int i);

}  // namespace flyback
