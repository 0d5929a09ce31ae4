#pragma once

// The views of the design on one dialogue (the export, the simulation, the
// tables on standard error, the window's overview) behind one evaluator:
// every design the dialogue shows, and again once its components are
// dimensioned, is evaluated once (loss budget, part stresses, findings and,
// where asked, the other transformers' ranking) before the views hear of it;
// each view then renders `evaluation()` and recomputes none of it. Every
// event goes to each view in turn, in the order they were added.

#include <memory>
#include <optional>

#include "engine/evaluation/design_evaluation.h"
#include "observer_list.h"

namespace flyback {

class DesignEvaluator : public ObserverList {
 public:
  // `request.core_data` (or null) must outlive the evaluator.
  explicit DesignEvaluator(const EvaluationRequest& request) : request_(request) {}

  // The evaluation of the design shown last; null before the first.
  const std::shared_ptr<const DesignEvaluation>& evaluation() const { return evaluation_; }
  // How many designs have been evaluated.
  int evaluations() const { return evaluations_; }

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;

  // The user sets the loop's crossover (Hz; 0: the default rule): the
  // design shown last is evaluated again with it, and every view hears of
  // it as of that design shown once more.
  void SetLoopCrossover(double crossover_Hz);
  // The user sets the compensator the loop's corners are drawn with (none:
  // the component list's parts again); the shown design is evaluated again
  // in the same way.
  void SetLoopParts(const std::optional<OptoCompensator>& parts);

 private:
  void Evaluate(const DesignState& design);
  // The design shown last, evaluated again with the request as it now is.
  void EvaluateAgain();

  EvaluationRequest request_;
  bool dimensioned_last_ = false;  // the last event was ComponentsDimensioned
  std::shared_ptr<const DesignEvaluation> evaluation_;
  int evaluations_ = 0;
};

}  // namespace flyback
