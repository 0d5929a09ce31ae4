#include "engine/adviser/window_fill.h"

#include "engine/losses/budget_windings.h"

namespace flyback {

WindowFill WindowFillOf(const DesignState& s, const LossCore& core, const WindowFillRules& rules) {
  const CoreGeometry& g = core.geometry;
  WindowFill fill;
  fill.A_window_mm2 = g.window_area_mm2;
  for (const BudgetWinding& w :
       BudgetWindingsOf(s.inputs, s.transformer, core, LossAssumptions{})) {
    fill.A_copper_mm2 += w.turns * w.copper.A_cu_mm2;
  }
  // The margins run the window's height, its area over the bobbin's width.
  const double height_mm = g.window_area_mm2 / g.bobbin_width_mm;
  const double margins_mm2 = 2 * rules.margin_mm * height_mm;
  const double tapes_mm2 =
      rules.tape_insulations * rules.tape_layers * rules.tape_mm * g.bobbin_width_mm;
  fill.A_insulation_mm2 = margins_mm2 + tapes_mm2;
  fill.fill = (fill.A_copper_mm2 / rules.utilization + fill.A_insulation_mm2) / fill.A_window_mm2;
  return fill;
}

}  // namespace flyback
