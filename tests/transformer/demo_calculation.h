#pragma once

// The demonstration designs after their calculation and turns determination.

#include "transformer/demo_designs.h"
#include "transformer/transformer_calculation.h"
#include "transformer/turns.h"

namespace flyback {

// Calculates the design with the automatic drain limit and determines its turns.
inline DesignState Calculated(DesignState s) {
  TransformerCalculation calculation(CalculationEntry::kFullStart);
  CalculationStop stop = calculation.Run(s);
  if (stop == CalculationStop::kAskDrainLimit) {
    s.U_D_lim = AutomaticDrainLimit(s.U_mains_max);
    calculation.Run(s);
  }
  determine_turns(s);
  return s;
}

}  // namespace flyback
