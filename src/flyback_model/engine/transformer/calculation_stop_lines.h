#pragma once

// The lines with which the dialogue reports why a transformer calculation
// stopped; the core adviser gives the same words as the reason it rejects a
// core for.

#include "base/console/line.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// No duty cycle down to 0.1 keeps the drain voltage (V) within `U_D_lim`.
Line DrainLimitTooLowLine(double U_D_lim);

// Bmax cannot be lowered far enough for the lowest switching frequency.
Line FrequencyUnreachableLine();

// At the minimum fixed frequency the magnetization is not below Bmaxlim.
Line MagnetizationTooHighLine(const DesignInputs& in, const TransformerDesign& t);

}  // namespace flyback
