#pragma once

// --without-load-points, as every front-end hands it to the simulation.

#include "command_line.h"
#include "stage_simulation.h"

namespace flyback {

// Whether the simulations of `command_line`'s session run the efficiency
// map's part loads beside the full-load points.
LoadPoints LoadPointsOf(const CommandLine& command_line);

}  // namespace flyback
