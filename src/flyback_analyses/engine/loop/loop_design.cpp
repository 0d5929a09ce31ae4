#include "engine/loop/loop_design.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/loop/listed_compensator.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

constexpr double kSweepStart_Hz = 10;
constexpr int kPointsPerDecade = 50;
constexpr std::array<double, 3> kLoadShares = {0.1, 0.5, 1};
// Default crossover: a tenth of the lowest switching frequency, and a sixth
// of the lowest right-half-plane zero where the stage runs continuous.
constexpr double kCrossoverPerSwitching = 0.1;
constexpr double kCrossoverPerRhpZero = 1.0 / 6;

struct LineEnd {
  std::string_view name;
  const OperatingPointLosses* full_load;
  double U_mains_V;
};

// The stage at `share` of full load on the line end: the budget's own point
// at full load; below it the same equations (SwitchingAt) at that share of
// the full-load input power, the losses scaled with the load.
SwitchingPoint PointAt(const DesignState& s, const LineEnd& line, double share) {
  const SwitchingPoint& full = line.full_load->switching;
  if (share == 1) return full;
  return SwitchingAt(StageOf(s.inputs, s.transformer, line.U_mains_V), full.U_bus_V,
                     share * full.P_in_W);
}

double DefaultCrossover_Hz(const std::vector<PowerStageModel>& plants) {
  double f_c = kCrossoverPerSwitching * plants.front().f_sw_Hz;
  for (const PowerStageModel& p : plants) {
    f_c = std::min(f_c, kCrossoverPerSwitching * p.f_sw_Hz);
    if (p.f_rhp_zero_Hz > 0) f_c = std::min(f_c, kCrossoverPerRhpZero * p.f_rhp_zero_Hz);
  }
  return f_c;
}

// The six line and load points each at the least and the greatest CTR, with
// `parts`, swept over the loop's range.
std::vector<LoopCorner> CornersWith(const std::vector<LoopCorner>& stages,
                                    const OptoCompensator& parts, const LoopDesign& loop) {
  const LoopAssumptions& a = loop.assumptions;
  std::vector<LoopCorner> corners;
  for (const LoopCorner& stage : stages) {
    for (double CTR : {a.CTR_min, a.CTR_max}) {
      LoopCorner c = stage;
      c.CTR = CTR;
      const LoopResponse response = [&c, &parts, &a, &loop](double f_Hz) {
        return PowerStageResponse(c.plant, f_Hz) +
               CompensatorResponse(parts, c.CTR, a, DividerRatio(loop), f_Hz);
      };
      c.bode = SweepLoop(response, loop.f_low_Hz, loop.f_high_Hz, kPointsPerDecade);
      c.margins = MarginsOf(c.bode, response);
      c.warnings = LoopWarningsOf(c.margins, c.plant);
      corners.push_back(std::move(c));
    }
  }
  return corners;
}

}  // namespace

LoopDesign ComputeLoopDesign(const DesignState& s, const LossBudget& budget,
                             const LoopAssumptions& a, const OptoCompensator* chosen) {
  LoopDesign loop;
  loop.assumptions = a;
  loop.output = RegulatedOutputOf(s);
  loop.design_CTR = std::sqrt(a.CTR_min * a.CTR_max);
  loop.U_ref_V = s.components.U_ref;
  const double I_limit_A = budget.worst_case.I_D_max_A;
  const std::array<LineEnd, 2> lines = {
      LineEnd{"lowest input", &budget.lowest_valley, s.inputs.U_mains_min},
      LineEnd{"highest input", &budget.highest_input, s.inputs.U_mains_max}};

  std::vector<LoopCorner> stages;  // the six line and load points
  std::vector<PowerStageModel> plants;
  for (const LineEnd& line : lines) {
    for (double share : kLoadShares) {
      LoopCorner c;
      c.line = line.name;
      c.load_share = share;
      c.switching = PointAt(s, line, share);
      c.plant = PowerStageAt(c.switching, share, loop.output, I_limit_A, a);
      plants.push_back(c.plant);
      stages.push_back(std::move(c));
    }
  }
  const double f_c = a.crossover_Hz > 0 ? a.crossover_Hz : DefaultCrossover_Hz(plants);
  // The proposal is designed at the design corner: lowest input, full load.
  loop.compensator = DesignCompensator(stages[kLoadShares.size() - 1].plant, f_c, loop.design_CTR,
                                       loop.output.U_V, s.components.R65, a);
  loop.listed = ListedCompensatorOf(s);
  loop.parts = chosen != nullptr ? *chosen : loop.listed;
  loop.parts_chosen = chosen != nullptr;

  loop.f_low_Hz = kSweepStart_Hz;
  loop.f_high_Hz = std::ranges::min_element(plants, {}, &PowerStageModel::f_sw_Hz)->f_sw_Hz / 2;
  loop.corners = CornersWith(stages, loop.parts, loop);
  loop.proposed_corners = CornersWith(stages, loop.compensator.rounded, loop);
  return loop;
}

std::string_view LoopNotModelledReason(const DesignState& s) {
  if (!s.inputs.opto_reg) {
    return "regulated through the IC-supply winding by the controller's internal error "
           "amplifier, for which the controllers' data sheets give no transconductance or "
           "compensation figures: not modelled";
  }
  if (!(s.components.R65 > 0)) {
    return "the opto-coupler's divider is not dimensioned yet: the loop is modelled once the "
           "components are";
  }
  // A transformer dimensioned to no turns (a degenerate answer the dialogue
  // lets through) has no turns ratio and no inductance: no plant to model.
  if (!(s.transformer.n_prim > 0) || !(s.transformer.n_out(1) > 0) || !(s.transformer.L_prim > 0)) {
    return "the transformer has no turns on the primary or on output 1: no power stage to "
           "model";
  }
  // The divider's lower resistor is R65·U_ref/(U − U_ref): an output at or
  // below the reference cannot be regulated through it (the dialogue takes
  // any positive regulated voltage).
  const double U_ref = s.components.U_ref;
  if (!(s.inputs.U_opto > U_ref) || !(OutputVoltage(s.inputs, s.transformer, 1) > U_ref)) {
    return "output 1 does not lie above the shunt regulator's reference: no divider can set "
           "it, no loop to model";
  }
  return "";
}

double DividerRatio(const LoopDesign& loop) {
  return loop.U_ref_V / loop.output.U_V;
}

}  // namespace flyback
