#include "design_evaluator.h"

namespace flyback {

void DesignEvaluator::Evaluate(const DesignState& design) {
  evaluation_ = EvaluateDesign(design, request_);
  ++evaluations_;
}

void DesignEvaluator::DesignShown(const DesignState& design) {
  Evaluate(design);
  dimensioned_last_ = false;
  ObserverList::DesignShown(design);
}

void DesignEvaluator::ComponentsDimensioned(const DesignState& design) {
  Evaluate(design);
  dimensioned_last_ = true;
  ObserverList::ComponentsDimensioned(design);
}

void DesignEvaluator::SetLoopCrossover(double crossover_Hz) {
  request_.loop_crossover_Hz = crossover_Hz;
  EvaluateAgain();
}

void DesignEvaluator::SetLoopParts(const std::optional<OptoCompensator>& parts) {
  request_.loop_parts = parts;
  EvaluateAgain();
}

void DesignEvaluator::EvaluateAgain() {
  if (!evaluation_) return;
  // A copy: the evaluation that holds the design is replaced.
  const DesignState design = evaluation_->design;
  if (dimensioned_last_) {
    ComponentsDimensioned(design);
  } else {
    DesignShown(design);
  }
}

}  // namespace flyback
