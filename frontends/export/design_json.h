#pragma once

// The design as a JSON document ("flyback-design", see docs/export.md):
// inputs, the transformer as calculated and as shown, the windings, the
// component list, the optimization's list and the design checks. Numbers are
// JSON numbers at full precision (null where a figure is not finite); units
// stand in the key names.

#include <optional>
#include <string>
#include <vector>

#include "engine/adviser/core_ranking.h"
#include "engine/losses/user_core_data.h"
#include "engine/transformer/optimization_record.h"
#include "state/design/design_state.h"

namespace flyback {

inline constexpr int kDesignFormatVersion = 1;

// "components" is null while the design holds no component list (none made
// since the last calculation run). The loss budget takes the user's core
// (`core_data`, --core-data) where one was given. The core adviser's
// ranking (`alternatives`, --advise) is written where one is given.
std::string DesignJson(const DesignState& design,
                       const std::optional<OptimizationRecord>& optimization,
                       const UserCoreData* core_data, const CoreAdvice* alternatives = nullptr);

}  // namespace flyback
