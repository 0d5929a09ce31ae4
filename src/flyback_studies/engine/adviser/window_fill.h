#pragma once

// Whether a transformer's windings fit its bobbin with the insulation a
// mains-isolating transformer needs. The windings' copper takes 1/K_u of its
// own area of the window (K_u, the window utilization of round wire: enamel,
// the gaps between round wires, the bobbin's walls), and the safety
// insulation comes on top: the creepage margins at both ends of the bobbin
// over the full height of the window, and the layers of tape that insulate
// the primary from the secondaries and wrap the winding.

#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// What the fill rests on; docs/adviser.md gives the sources.
struct WindowFillRules {
  double utilization = 0.4;  // K_u, copper area over the window a round-wire winding reaches
  double margin_mm = 2.5;    // mm, creepage margin at each end of the bobbin
  int tape_layers = 3;       // layers per insulation (reinforced insulation of thin sheet)
  int tape_insulations = 2;  // primary to secondaries, and the outer wrap
  double tape_mm = 0.05;     // mm, one layer of polyester tape with its adhesive
};

struct WindowFill {
  double A_copper_mm2 = 0;      // mm², every winding's turns times its copper
  double A_insulation_mm2 = 0;  // mm², margins and tapes
  double A_window_mm2 = 0;      // mm², the core's winding window
  // The share of the window the windings and their insulation need: above 1
  // they do not fit.
  double fill = 0;
};

// The fill of the calculated design `s` wound on `core`.
WindowFill WindowFillOf(const DesignState& s, const LossCore& core,
                        const WindowFillRules& rules = {});

}  // namespace flyback
