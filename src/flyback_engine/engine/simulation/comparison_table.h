#pragma once

// The simulation beside the calculation as a plain-text table, one line a
// figure, for a terminal or a log.

#include <string>

#include "engine/simulation/simulation_comparison.h"

namespace flyback {

std::string ComparisonTable(const SimulationComparison& comparison);

}  // namespace flyback
