#pragma once

// The design as a JSON document ("flyback-design", see docs/export.md):
// inputs, the transformer as calculated and as shown, the windings, the
// component list, the optimization's list and the design checks. Numbers are
// JSON numbers at full precision (null where a figure is not finite); units
// stand in the key names.

#include <optional>
#include <string>

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"
#include "engine/transformer/optimization_record.h"

namespace flyback {

inline constexpr int kDesignFormatVersion = 1;

// "components" is null while the design holds no component list (none made
// since the last calculation run). The design file renders the design's one
// `evaluation`: its loss budget, part stresses and findings, and the core
// adviser's ranking ("alternatives", left out where it was not asked for);
// `simulation` is that of this design ("simulation", null without; its
// findings join the checks).
std::string DesignJson(const DesignEvaluation& evaluation,
                       const std::optional<OptimizationRecord>& optimization,
                       const SimulationOutcome* simulation = nullptr);

}  // namespace flyback
