#pragma once

// The body of the result report: the transformer data and the winding table
// of the present design, below the header block.

#include <vector>

#include "base/console/line.h"
#include "state/design/design_state.h"

namespace flyback {

// The body lines for the present design, with the winding values worked out
// for it and the conduction loss of its proposed MOSFET.
std::vector<Line> ResultReportBody(const DesignState& present);

}  // namespace flyback
