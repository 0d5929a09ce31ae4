#pragma once

// Counts the passes of every transformer calculation the dialogue runs.

#include "pages/dialogue/design_observer.h"

namespace flyback {

struct PassCount : DesignObserver {
  long long passes = 0;
  void CalculationRun(const DesignState& /*design*/, int run_passes) override {
    passes += run_passes;
  }
};

}  // namespace flyback
