#pragma once

// The loss budget of a design as the "losses" object of the design file,
// with the stresses of its parts.

#include <nlohmann/json.hpp>
#include <vector>

#include "engine/checks/part_stress.h"
#include "engine/losses/loss_budget.h"

namespace flyback {

// `stresses` are the design's part stresses (PartStresses of the budget).
nlohmann::ordered_json LossesJson(const LossBudget& budget,
                                  const std::vector<PartStress>& stresses);

}  // namespace flyback
