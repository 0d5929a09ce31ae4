#include "engine/losses/budget_windings.h"

#include <cstddef>
#include <string>
#include <utility>

#include "base/numbers/rounding.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

inline constexpr double kOneHertz = 1;

BudgetWinding WindingOf(std::string name, int output, double turns, const Copper& copper,
                        const LossCore& core, const LossAssumptions& a) {
  const CoreGeometry& g = core.geometry;
  return {std::move(name),
          output,
          turns,
          copper,
          LayerCount(turns, copper.parallel_wires, copper.d_wire_mm, g.bobbin_width_mm),
          DcResistance(turns, g.mean_turn_length_mm, copper.A_cu_mm2, a.T_winding_C),
          DowellPenetrationRatio(copper.d_wire_mm, WirePitch(copper.d_wire_mm),
                                 CopperResistivity(a.T_winding_C), kOneHertz),
          std::nullopt};
}

}  // namespace

std::vector<BudgetWinding> BudgetWindingsOf(const DesignInputs& in, const TransformerDesign& t,
                                            const LossCore& core, const LossAssumptions& a) {
  const WindingValues values = ComputeWindingValues(in, t);
  std::vector<BudgetWinding> windings;
  windings.reserve(static_cast<std::size_t>(in.n_sec) + 1);
  windings.push_back(
      WindingOf("primary", 0, RoundTo(t.n_prim, 0), CopperOf(in, values.A_prim), core, a));
  for (int i = 1; i <= in.n_sec; ++i) {
    windings.push_back(WindingOf("output " + std::to_string(i), i, t.n_out(i),
                                 CopperOf(in, values.output(i).A_sec), core, a));
    BudgetWinding& added = windings.back();
    for (std::size_t j = 1; j + 1 < windings.size(); ++j) {
      if (windings[j].layers == added.layers &&
          windings[j].penetration_at_1_Hz == added.penetration_at_1_Hz) {
        added.same_loss_factor_as = j;
        break;
      }
    }
  }
  return windings;
}

}  // namespace flyback
