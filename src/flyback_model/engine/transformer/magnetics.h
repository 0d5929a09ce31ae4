#pragma once

// Formulas of the transformer that more than one figure is built from.

#include <cmath>

#include "base/numbers/units.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// µH, inductance of a winding of `turns` turns on a core of inductance factor
// AL (nH).
inline double PrimaryInductance(double AL, double turns) {
  return kMicrohenryPerNanohenry * AL * turns * turns;
}

// At a fixed frequency the period at f_fix_min is longer than the free-running
// one at fsntmin: the peak current, the switch-on time and the magnetization
// grow by √(fsntmin / f_fix_min) for the same energy per period.
inline double FixedFrequencyFactor(const DesignInputs& in, const TransformerDesign& t) {
  return std::sqrt(t.fsntmin / in.f_fix_min);
}

// mT, magnetization at the minimum fixed frequency.
inline double MagnetizationAtFixedFrequency(const DesignInputs& in, const TransformerDesign& t) {
  return t.Bmax * FixedFrequencyFactor(in, t);
}

// At a fixed frequency the magnetization at its minimum is not below the
// limit: the calculation warns, and the design check flags it.
inline bool FixedFrequencyMagnetizationTooHigh(const DesignInputs& in, const TransformerDesign& t) {
  return in.fixed_freq && !(MagnetizationAtFixedFrequency(in, t) < in.Bmaxlim);
}

}  // namespace flyback
