#pragma once

// The lines of the component list report below its header blocks, for a
// design whose components `dimension_components` has just dimensioned.

#include <vector>

#include "base/console/line.h"
#include "state/design/design_state.h"

namespace flyback {

// List 1: mains filtering and power components, then the control components
// of the chosen IC.
std::vector<Line> ComponentList1Lines(const DesignState& s);

// List 2: secondary side, and the opto-coupler circuit with opto regulation.
std::vector<Line> ComponentList2Lines(const DesignState& s);

}  // namespace flyback
