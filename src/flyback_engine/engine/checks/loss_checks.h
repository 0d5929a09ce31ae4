#pragma once

// Checks of a design's loss budget at its design point (the lowest input
// voltage at full load): whether the losses reach the efficiency the design
// rests on, and whether the transformer, the core and the clamp stay within
// what a flyback of this kind can dissipate without a heat sink.

#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/loss_budget.h"

namespace flyback {

// Percentage points the computed efficiency may lie below the assumed one.
inline constexpr double kEfficiencyMarginPoints = 2;
// K, temperature rise of the transformer in still air.
inline constexpr double kTransformerRiseLimit_K = 40;
// Share of the output power the clamp may dissipate.
inline constexpr double kClampShareLimit = 0.03;

// Warnings only; none where the budget stays within every bound.
std::vector<Finding> CheckLosses(const DesignInputs& in, const LossBudget& budget);

// Errors only: an operating point whose bus voltage is 0 or less (a DC range
// up to 0 V) cannot be worked out, and its losses are not figures.
std::vector<Finding> CheckOperatingPoints(const LossBudget& budget);

// Every finding on a calculated design, errors first: those of CheckDesign, then those of
// CheckLosses on its `budget`. The views of a design (the overview, the
// design file) show these.
std::vector<Finding> CheckDesignAndLosses(const DesignState& design, const LossBudget& budget);

}  // namespace flyback
