#pragma once

// The feedback loop of a design regulated through the opto-coupler: the
// loop gain with the design's own compensator (the component list's parts)
// at the 12 corners (lowest and highest input voltage × 10, 50 and 100 %
// load × the opto's least and greatest CTR), from 10 Hz to half the lowest
// switching frequency; beside it a proposed type-2 compensator designed at
// the lowest input voltage and full load, with its own margins at the same
// corners. A pure function of the design and its loss budget; docs/loop.md
// gives the models.

#include <string_view>
#include <vector>

#include "engine/loop/compensator_design.h"
#include "engine/loop/loop_margins.h"
#include "engine/loop/loop_warnings.h"
#include "engine/loop/power_stage_model.h"
#include "engine/loop/regulated_output.h"
#include "engine/losses/loss_budget.h"

namespace flyback {

struct LoopCorner {
  std::string_view line;  // "lowest input" or "highest input"
  double load_share = 0;  // 0.1, 0.5 or 1 of full output power
  double CTR = 0;
  SwitchingPoint switching;
  PowerStageModel plant;
  std::vector<BodePoint> bode;
  LoopMargins margins;
  std::vector<LoopWarning> warnings;
};

struct LoopDesign {
  LoopAssumptions assumptions;
  RegulatedOutput output;
  double f_low_Hz = 0;  // Hz, the sweep's ends
  double f_high_Hz = 0;
  double design_CTR = 0;          // √(CTR_min·CTR_max), the compensator's design value
  double U_ref_V = 0;             // V, the shunt regulator's reference the divider sets
  CompensatorDesign compensator;  // the proposal: designed, then rounded
  OptoCompensator listed;         // the component list's parts
  OptoCompensator parts;          // the corners' parts: the listed, or those the user chose
  bool parts_chosen = false;      // `parts` are the user's, not the component list's
  std::vector<LoopCorner> corners;
  // The same corners with the proposal's rounded parts.
  std::vector<LoopCorner> proposed_corners;
};

// Hz, the highest crossover the user may ask the proposal to be designed for.
inline constexpr double kHighestLoopCrossover_Hz = 1e6;

// The loop of the design `s` (opto regulation, its divider dimensioned) with
// its `budget`. `chosen` replaces the listed parts where not null.
LoopDesign ComputeLoopDesign(const DesignState& s, const LossBudget& budget,
                             const LoopAssumptions& a = {},
                             const OptoCompensator* chosen = nullptr);

// Why the design `s` has no loop to model, in one sentence; empty where it
// has one (opto regulation with its divider dimensioned, a transformer
// with turns).
std::string_view LoopNotModelledReason(const DesignState& s);

// U_ref/U_out: the divider's ratio, R65 over R60 with P60 trimmed to output 1.
double DividerRatio(const LoopDesign& loop);

}  // namespace flyback
