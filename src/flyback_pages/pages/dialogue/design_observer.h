#pragma once

// What the dialogue does with the design, told as it happens. Views of the
// design (an export, a picture) and checks hang on it; they see the design
// as const and never write into it.

#include "engine/transformer/optimization_rating.h"
#include "state/design/design_state.h"

namespace flyback {

class DesignObserver {
 public:
  DesignObserver() = default;
  DesignObserver(const DesignObserver&) = delete;
  DesignObserver& operator=(const DesignObserver&) = delete;
  virtual ~DesignObserver() = default;

  // A run of the transformer calculation has ended after `passes` passes
  // through the turns (every run: also a step of the optimization, also one
  // that stopped without a result).
  virtual void CalculationRun(const DesignState& /*design*/, int /*passes*/) {}

  // The design is shown as it now stands: on the result screen (its turns
  // determined and its MOSFET proposed) or in the winding table (also after
  // every manual change).
  virtual void DesignShown(const DesignState& /*design*/) {}

  // The component list has dimensioned every component of the design.
  virtual void ComponentsDimensioned(const DesignState& /*design*/) {}

  // The optimization sweeps Bmax downwards from `start_Bmax` (mT).
  virtual void OptimizationStarted(double /*start_Bmax*/) {}
  // It has rated one step of the sweep.
  virtual void SweepStepRated(const SweepPoint& /*step*/) {}
  // It lists a step as a row (a local maximum of the rating).
  virtual void SweepRowListed(const SweepPoint& /*row*/) {}
  // Its list has ended with the best row; the user chose `chosen_Bmax` (mT)
  // for the final calculation.
  virtual void OptimizationFinished(const SweepPoint& /*best*/, double /*chosen_Bmax*/) {}
};

}  // namespace flyback
