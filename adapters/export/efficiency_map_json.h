#pragma once

// The efficiency map of a design as the "efficiency_map" object of the
// design file: the controller's light-load assumptions with their sources,
// every point with its terms of at least 1 mW, and the rules' limits and
// verdicts.

#include <nlohmann/json.hpp>

#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"

namespace flyback {

nlohmann::ordered_json EfficiencyMapJson(const EfficiencyMap& map, const RulesCheck& rules);

}  // namespace flyback
