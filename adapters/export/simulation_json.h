#pragma once

// A simulation of the designed stage as the "simulation" object of the
// design file: both operating points with their figures, and every compared
// figure with its tolerance and verdict; or the reason it failed.

#include <nlohmann/json.hpp>

#include "engine/simulation/simulation_comparison.h"

namespace flyback {

nlohmann::ordered_json SimulationJson(const SimulationOutcome& outcome);

// The map's simulated loads as the "simulated" array of "efficiency_map";
// null without a compared simulation.
nlohmann::ordered_json SimulatedLoadPointsJson(const SimulationOutcome* outcome);

}  // namespace flyback
