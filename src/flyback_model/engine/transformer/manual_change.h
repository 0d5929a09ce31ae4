#pragma once

// The manual changes of a finished design that the calculation then follows.

#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// mT per "+" or "-" step of the manual change.
inline constexpr double kManualMagnetizationStep = 0.25;

// Sets n_prim turns on the primary while the voltage per turn stays: the
// off-to-on ratio q_D, and with it the duty cycle, the drain current and the
// magnetization, follow from the induced primary voltage n_prim × q_D.
void SetPrimaryTurns(const DesignInputs& in, TransformerDesign& t, double n_prim);

}  // namespace flyback
