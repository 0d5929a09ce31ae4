#pragma once

// The transformer result as the result screen and the result report show it.
// Both show the same figures; the screen puts them closer together (fewer
// zone advances) and the report leaves an empty line after each, and a few
// labels and units differ. Each figure is described once, with its layout on
// either medium.

#include <vector>

#include "base/console/line.h"
#include "state/design/design_state.h"

namespace flyback {

enum class ResultMedium { kScreen, kFile };

// The core: its name, the airgap of a layer-type core, AL and Ae.
Line CoreLine(const DesignState& s);

// The figures below the core line, one line each, for the present design and
// its proposed MOSFET (the conduction loss needs its on-resistance).
std::vector<Line> ResultFigureLines(const DesignState& s, ResultMedium medium);

// The winding table without its header: the primary, the IC supply and every
// output, with an empty line between two rows. `indent` stands before each
// winding's name. Wire figures are cross-sections, or in wires mode numbers
// of parallel wires.
std::vector<Line> WindingRows(const DesignState& s, std::string_view indent);

}  // namespace flyback
