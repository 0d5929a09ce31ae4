#pragma once

// The transformer's windings as the loss budget charges them: what of each
// winding stays the same at every operating point (its copper, layers and
// DC resistance, and how deep the field of a harmonic penetrates it per √Hz)
// is worked out once per budget, not at every step of every fixed point.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/losses/loss_budget.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

struct BudgetWinding {
  std::string name;  // "primary", "output 1", ...
  int output = 0;    // the output it feeds; 0 for the primary
  double turns = 0;
  Copper copper;
  int layers = 0;
  double R_dc_ohm = 0;  // Ω at the winding temperature
  // Dowell's penetration ratio Δ at 1 Hz: at f it is Δ·√f, the skin depth
  // falling with 1/√f.
  double penetration_at_1_Hz = 0;
  // An earlier winding of the same wire, layers and current shape (every
  // secondary conducts during t_off): its copper loss per ohm and square
  // ampere is this one's too, at every operating point.
  std::optional<std::size_t> same_loss_factor_as;
};

// The primary (n_prim rounded to whole turns) and each output's winding, as
// the winding table sizes them, on the bobbin and turn length of `core` at
// the winding temperature of `a`.
std::vector<BudgetWinding> BudgetWindingsOf(const DesignInputs& in, const TransformerDesign& t,
                                            const LossCore& core, const LossAssumptions& a);

}  // namespace flyback
