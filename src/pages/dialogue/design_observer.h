#pragma once

// What the dialogue does with the design, told as it happens. Views of the
// design (an export, a picture) and checks hang on it; they see the design
// as const and never write into it.

#include "design/design_state.h"

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
};

}  // namespace flyback
