#pragma once

// The demonstration designs after their calculation and turns determination.

#include <utility>

#include "engine/components/dimensioning.h"
#include "engine/transformer/transformer_calculation.h"
#include "engine/transformer/turns.h"
#include "transformer/demo_designs.h"

namespace flyback {

// Calculates the design with the automatic drain limit and determines its turns.
inline DesignState Calculated(DesignState s) {
  TransformerCalculation calculation(CalculationEntry::kFullStart,
                                     CalculationRules::kEnforceLimits);
  CalculationStop stop = calculation.Run(s.inputs, s.transformer, true);
  if (stop == CalculationStop::kAskDrainLimit) {
    s.inputs.U_D_lim = AutomaticDrainLimit(s.inputs.U_mains_max);
    calculation.Run(s.inputs, s.transformer, false);
  }
  s.flow.ask_drain_limit = false;
  determine_turns(s.inputs, s.transformer);
  return s;
}

// The same with its components dimensioned (the MOSFET proposed), as the
// result screen leaves the design.
inline DesignState CalculatedWithComponents(DesignState s) {
  s = Calculated(std::move(s));
  s.components = dimension_components(s);
  return s;
}

// The 80 W demonstration regulated through the opto-coupler at 100 V,
// calculated with its components.
inline DesignState OptoRegulatedDemo() {
  DesignState s = ThreeOutputDemo();
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 100;
  return CalculatedWithComponents(s);
}

}  // namespace flyback
