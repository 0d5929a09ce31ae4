#pragma once

// Several views of the design on one dialogue (the export and the window's
// overview): every event goes to each of them in turn.

#include <vector>

#include "pages/dialogue/design_observer.h"

namespace flyback {

class ObserverList : public DesignObserver {
 public:
  // Null entries are left out.
  explicit ObserverList(const std::vector<DesignObserver*>& observers = {});

  // One more, heard after those before; a null one is left out.
  void Add(DesignObserver* observer);

  void CalculationRun(const DesignState& design, int passes) override;
  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;
  void OptimizationStarted(double start_Bmax) override;
  void SweepStepRated(const SweepPoint& step) override;
  void SweepRowListed(const SweepPoint& row) override;
  void OptimizationFinished(const SweepPoint& best, double chosen_Bmax) override;

 private:
  std::vector<DesignObserver*> observers_;
};

}  // namespace flyback
