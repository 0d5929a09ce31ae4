#pragma once

// Keeps the record of the last optimization of the session as the
// dialogue tells it.

#include <optional>

#include "engine/transformer/optimization_record.h"
#include "pages/dialogue/design_observer.h"

namespace flyback {

class OptimizationRecorder : public DesignObserver {
 public:
  void OptimizationStarted(double start_Bmax) override;
  void SweepStepRated(const SweepPoint& step) override;
  void SweepRowListed(const SweepPoint& row) override;
  void OptimizationFinished(const SweepPoint& best, double chosen_Bmax) override;

  // None before an optimization ran.
  const std::optional<OptimizationRecord>& last_optimization() const { return record_; }

 private:
  std::optional<OptimizationRecord> record_;
};

}  // namespace flyback
