#pragma once

// The body of the result report: the transformer data and the winding table
// of the present design, below the header block.

#include <vector>

#include "console/line.h"
#include "design/design_state.h"

namespace flyback {

// The body lines for a design whose winding values (rms currents, cross
// sections, IC supply voltage) and conduction loss belong to it.
std::vector<Line> ResultReportBody(const DesignState& present);

}  // namespace flyback
