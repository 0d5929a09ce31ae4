#pragma once

// The switching period and the parts of it in which the windings carry
// current: the one home of these quantities for the winding currents, the
// losses, the result figures and the waveforms of the overview.

#include "base/numbers/units.h"
#include "state/design/transformer_design.h"

namespace flyback {

// µs, the period of a frequency f_kHz.
inline double PeriodOf(double f_kHz) {
  return kMicrosecondsPerMillisecond / f_kHz;
}

// µs, from the switch-on to the end of the demagnetization: the primary
// current flows for t_on of it, the secondary current for t_off.
inline double ConductingTime(const TransformerDesign& t) {
  return t.t_on + t.t_off;
}

}  // namespace flyback
