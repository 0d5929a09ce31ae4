#include "observer_list.h"

namespace flyback {

ObserverList::ObserverList(const std::vector<DesignObserver*>& observers) {
  for (DesignObserver* observer : observers) Add(observer);
}

void ObserverList::Add(DesignObserver* observer) {
  if (observer != nullptr) observers_.push_back(observer);
}

void ObserverList::CalculationRun(const DesignState& design, int passes) {
  for (DesignObserver* observer : observers_) observer->CalculationRun(design, passes);
}

void ObserverList::DesignShown(const DesignState& design) {
  for (DesignObserver* observer : observers_) observer->DesignShown(design);
}

void ObserverList::ComponentsDimensioned(const DesignState& design) {
  for (DesignObserver* observer : observers_) observer->ComponentsDimensioned(design);
}

void ObserverList::OptimizationStarted(double start_Bmax) {
  for (DesignObserver* observer : observers_) observer->OptimizationStarted(start_Bmax);
}

void ObserverList::SweepStepRated(const SweepPoint& step) {
  for (DesignObserver* observer : observers_) observer->SweepStepRated(step);
}

void ObserverList::SweepRowListed(const SweepPoint& row) {
  for (DesignObserver* observer : observers_) observer->SweepRowListed(row);
}

void ObserverList::OptimizationFinished(const SweepPoint& best, double chosen_Bmax) {
  for (DesignObserver* observer : observers_) observer->OptimizationFinished(best, chosen_Bmax);
}

}  // namespace flyback
