#include "pages/dialogue/optimization_recorder.h"

namespace flyback {

void OptimizationRecorder::OptimizationStarted(double start_Bmax) {
  record_ = OptimizationRecord{};
  record_->start_Bmax = start_Bmax;
}

void OptimizationRecorder::SweepStepRated(const SweepPoint& step) {
  if (record_) record_->steps.push_back(step);
}

void OptimizationRecorder::SweepRowListed(const SweepPoint& row) {
  if (record_) record_->rows.push_back(row);
}

void OptimizationRecorder::OptimizationFinished(const SweepPoint& best, double chosen_Bmax) {
  if (!record_) return;
  // Before any row was listed, the best row is only the start of the sweep.
  if (!record_->rows.empty()) record_->best = best;
  record_->chosen_Bmax = chosen_Bmax;
}

}  // namespace flyback
