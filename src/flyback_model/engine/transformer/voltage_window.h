#pragma once

// The window a winding's actual voltage must lie in: an output's Umin to Umax
// as the engineer asked for it, or the IC supply's window (turns.h). One rule
// says whether a voltage lies inside; the design checks, the overview and
// the design file all ask it.

#include "state/design/design_inputs.h"

namespace flyback {

struct VoltageWindow {
  double lowest;   // V
  double highest;  // V
};

// The bounds belong to the window. A window whose lowest lies above its
// highest holds no voltage.
inline bool InWindow(double U, const VoltageWindow& window) {
  return U >= window.lowest && U <= window.highest;
}

// The window of output i, 1 .. n_sec.
inline VoltageWindow OutputWindow(const DesignInputs& in, int i) {
  return {in.output(i).Umin, in.output(i).Umax};
}

}  // namespace flyback
