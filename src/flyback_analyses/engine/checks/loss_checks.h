#pragma once

// Checks of a design's loss budget: whether it is a figure at all at each
// operating point, then, judging the worst of the points, whether the
// losses reach the efficiency the design rests on, and whether the
// transformer, the core and the clamp stay within what a flyback of this
// kind can dissipate without a heat sink.

#include <optional>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/checks/part_stress.h"
#include "engine/losses/loss_budget.h"

namespace flyback {

// Percentage points the computed efficiency may lie below the assumed one.
inline constexpr double kEfficiencyMarginPoints = 2;
// K, temperature rise of the transformer in still air.
inline constexpr double kTransformerRiseLimit_K = 40;
// Share of the output power the clamp may dissipate.
inline constexpr double kClampShareLimit = 0.03;

// The figures of the budget its checks judge: the worst over its operating
// points.
struct JudgedLosses {
  const OperatingPointLosses* least_efficient = nullptr;
  std::optional<double> transformer_rise_K;
  std::optional<double> core_density_W_per_m3;
  double clamp_W = 0;
};

JudgedLosses JudgedFigures(const LossBudget& budget);

// An error for an operating point whose budget holds a term that is not
// finite (naming the first such term), then warnings; none where the budget
// stays within every bound. The warnings judge the worst point, and only
// where every point's budget is finite.
std::vector<Finding> CheckLosses(const DesignInputs& in, const LossBudget& budget);

// Errors only: an operating point whose bus voltage is 0 or less (a DC range
// up to 0 V) cannot be worked out, and its losses are not figures.
std::vector<Finding> CheckOperatingPoints(const LossBudget& budget);

// Every finding on a calculated design, errors first: those of CheckDesign,
// of CheckOperatingPoints and CheckLosses on its `budget`, and of its parts'
// `stresses` against their ratings. The views of a design (the overview, the
// design file) show these.
std::vector<Finding> CheckDesignAndLosses(const DesignState& design, const LossBudget& budget,
                                          const std::vector<PartStress>& stresses);

}  // namespace flyback
