#pragma once

// Keeps what the last optimization of the session did, for views and exports
// of the design: every rated step of its sweep, the listed rows, the best row
// and the Bmax chosen for the final calculation.

#include <optional>
#include <vector>

#include "dialogue/design_observer.h"

namespace flyback {

struct OptimizationRecord {
  double start_Bmax = 0;              // mT
  std::vector<SweepPoint> steps;      // every rated step, in the order of the sweep
  std::vector<SweepPoint> rows;       // the listed rows (local maxima)
  std::optional<SweepPoint> best;     // the absolute maximum; none before a row was listed
  std::optional<double> chosen_Bmax;  // mT, for the final calculation
};

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
