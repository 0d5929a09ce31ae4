#include "engine/losses/loss_budget.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "base/numbers/rounding.h"
#include "engine/inputs/mains.h"
#include "engine/losses/budget_windings.h"
#include "engine/losses/leakage_estimate.h"
#include "engine/losses/operating_point.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/core_catalogue.h"
#include "engine/transformer/winding_values.h"
#include "engine/transformer/wire.h"

namespace flyback {

namespace {

// mm², the least cross-section the winding table states (it rounds to
// 0.01 mm²; d = 0.11 mm). A winding of so little current that the table
// sizes it at 0.00 mm² is still wound of copper: of this much, not of none,
// which would have an infinite resistance.
inline constexpr double kLeastCrossSection_mm2 = 0.01;

}  // namespace

Copper CopperOf(const DesignInputs& in, double cross_section_mm2) {
  if (in.wire_counts && in.A_wire > 0) {
    const double wires = WireCount(cross_section_mm2, in.A_wire);
    return {wires * in.A_wire, in.d_wire, CountAsInt(wires)};
  }
  const double A_cu_mm2 = std::max(cross_section_mm2, kLeastCrossSection_mm2);
  return {A_cu_mm2, std::sqrt(A_cu_mm2 / kWirePi) * 2, 1};
}

namespace {

// The catalogue row of a slot-type transformer by its stored name.
std::optional<int> SlotChoiceNamed(const std::string& name) {
  for (const SlotTransformer& row : kSlotTransformers) {
    if (row.stored_name == name) return row.choice;
  }
  return std::nullopt;
}

// The leakage of the design's `windings` where their geometry is known, else
// the assumed share of L_prim.
LeakageFigures LeakageOf(const DesignState& s, const LossBudget& budget,
                         const std::vector<BudgetWinding>& windings) {
  const TransformerDesign& t = s.transformer;
  LeakageFigures leakage;
  if (!budget.core.core) {
    leakage.share = budget.assumptions.leakage_share;
    leakage.L_lk_uH = leakage.share * t.L_prim;
    return leakage;
  }
  const CoreGeometry& g = budget.core.core->geometry;
  const auto build = [](const BudgetWinding& w) {
    return WindingBuild{w.layers, WirePitch(w.copper.d_wire_mm)};
  };
  LeakageWinding winding;
  winding.primary_turns = windings.front().turns;
  winding.primary = build(windings.front());
  for (auto w = windings.begin() + 1; w != windings.end(); ++w) {
    winding.secondaries.push_back(build(*w));
  }
  winding.mean_turn_length_mm = g.mean_turn_length_mm;
  winding.winding_width_mm = g.bobbin_width_mm;
  winding.sectioned_bobbin = s.inputs.tr_kind == TransformerKind::kSlotTransformer;
  leakage.L_lk_uH = EstimatedLeakage(winding);
  leakage.share = leakage.L_lk_uH / t.L_prim;
  leakage.estimated = true;
  leakage.winding = std::move(winding);
  return leakage;
}

}  // namespace

LossCoreChoice ChooseLossCore(const DesignInputs& in, const UserCoreData* user) {
  if (user != nullptr) return {LossCore{user->Geometry(), user->Material(), false}, ""};
  if (in.tr_kind == TransformerKind::kSlotTransformer) {
    const std::optional<int> choice = SlotChoiceNamed(in.tr_name);
    const std::optional<CoreGeometry> geometry =
        choice ? GeometryForSlotTransformer(*choice) : std::nullopt;
    if (geometry) return {LossCore{*geometry, MaterialForSlotTransformer(*choice), true}, ""};
    return {std::nullopt, "the slot-type transformer has no geometry in the data"};
  }
  if (in.tr_kind == TransformerKind::kUserTransformer) {
    const GeometryEstimate estimate = EstimatedGeometryForAe(in.Ae);
    if (estimate.geometry) return {LossCore{*estimate.geometry, DefaultMaterial(), true}, ""};
    return {std::nullopt, estimate.reason};
  }
  const std::optional<CoreGeometry> geometry = GeometryForLayerCore(in.tr_name);
  if (geometry) return {LossCore{*geometry, MaterialForLayerCore(in.tr_name), false}, ""};
  return {std::nullopt, "the layer core has no geometry in the data"};
}

LossBudget ComputeLossBudget(const DesignState& s, const UserCoreData* user,
                             const LossAssumptions& assumptions) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  LossBudget budget;
  budget.assumptions = assumptions;
  budget.core = ChooseLossCore(in, user);
  budget.assumed_efficiency = in.eta;
  const std::vector<BudgetWinding> windings =
      budget.core.core ? BudgetWindingsOf(in, t, *budget.core.core, assumptions)
                       : std::vector<BudgetWinding>{};
  budget.leakage = LeakageOf(s, budget, windings);
  budget.clamp = ClampNetworkOf(in, s.components);
  budget.worst_case = {in.fixed_freq ? t.I_D_max_fix : t.I_D_max,
                       in.fixed_freq ? in.f_fix_min : t.fsntmin};
  const OutputDemand full_load;
  budget.lowest_valley =
      ConsistentPoint("lowest input voltage, bus valley", s,
                      {in.U_mains_min, in.U_mains_min * in.k_valley}, full_load, budget, windings);
  budget.lowest_crest =
      ConsistentPoint("lowest input voltage, bus crest", s,
                      {in.U_mains_min, MainsPeak(in.U_mains_min)}, full_load, budget, windings);
  budget.highest_input = ConsistentPoint("highest input voltage", s, {in.U_mains_max, t.U_bus_max},
                                         full_load, budget, windings);
  return budget;
}

}  // namespace flyback
