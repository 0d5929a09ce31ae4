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
#include "engine/simulation/simulation_comparison.h"
#include "engine/transformer/optimization_record.h"
#include "state/design/design_state.h"

namespace flyback {

inline constexpr int kDesignFormatVersion = 1;

// "components" is null while the design holds no component list (none made
// since the last calculation run). The loss budget takes the user's core
// (`core_data`, --core-data) where one was given.
// What a design file holds beside the design where it was asked for: the
// simulation of this design ("simulation", null without; its findings join
// the checks) and the core adviser's ranking ("alternatives", left out
// without).
struct DesignFileExtras {
  const SimulationOutcome* simulation = nullptr;
  const CoreAdvice* alternatives = nullptr;
};

std::string DesignJson(const DesignState& design,
                       const std::optional<OptimizationRecord>& optimization,
                       const UserCoreData* core_data, const DesignFileExtras& extras = {});

}  // namespace flyback
