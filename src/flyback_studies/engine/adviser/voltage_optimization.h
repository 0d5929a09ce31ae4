#pragma once

// The dialogue's optimization of the output voltages, run for a candidate
// transformer as the dialogue runs it when the engineer answers every
// question with Return and then enters the absolute maximum's Bmax: the
// sweep starts at the magnetization limit, lists to its end, and the final
// calculation at the chosen Bmax gives the turns anew.

#include "state/design/design_state.h"

namespace flyback {

// Whether an output of the calculated design `s` lies outside its window,
// as the design's checks judge it (an output without a voltage is judged
// there as an error).
bool OutputOutsideItsWindow(const DesignState& s);

// Optimizes the calculated design `s` in place (Bmax, the figures of the
// calculation, the turns). False where its final calculation cannot reach
// the lowest frequency, where the dialogue would ask for the frequency
// limits again.
bool OptimizeOutputVoltages(DesignState& s);

}  // namespace flyback
