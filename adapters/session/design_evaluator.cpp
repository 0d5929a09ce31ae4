#include "design_evaluator.h"

namespace flyback {

void DesignEvaluator::Evaluate(const DesignState& design) {
  evaluation_ = EvaluateDesign(design, request_);
  ++evaluations_;
}

void DesignEvaluator::DesignShown(const DesignState& design) {
  Evaluate(design);
  ObserverList::DesignShown(design);
}

void DesignEvaluator::ComponentsDimensioned(const DesignState& design) {
  Evaluate(design);
  ObserverList::ComponentsDimensioned(design);
}

}  // namespace flyback
