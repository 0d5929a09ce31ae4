#pragma once

// The loss budget of a design as the "losses" object of the design file,
// with the stresses of its parts.

#include <nlohmann/json.hpp>

#include "engine/losses/loss_budget.h"

namespace flyback {

nlohmann::ordered_json LossesJson(const DesignState& design, const LossBudget& budget);

}  // namespace flyback
