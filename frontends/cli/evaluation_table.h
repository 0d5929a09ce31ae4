#pragma once

// A table of the evaluation of every design the dialogue shows, on standard
// error in script mode, written whenever the dialogue shows a calculated
// design; the transcript on standard output stays as it is.

#include <ostream>
#include <string>

#include "design_evaluator.h"

namespace flyback {

class EvaluationTable : public DesignObserver {
 public:
  // The table of an evaluation; empty where it has nothing to show.
  using Text = std::string (*)(const DesignEvaluation& evaluation);

  // `evaluator`: whose evaluation is shown; it outlives the table.
  EvaluationTable(std::ostream& out, const DesignEvaluator& evaluator, Text text)
      : out_(out), evaluator_(evaluator), text_(text) {}

  void DesignShown(const DesignState& /*design*/) override {
    const std::string table = text_(*evaluator_.evaluation());
    if (!table.empty()) out_ << table << std::flush;
  }

 private:
  std::ostream& out_;
  const DesignEvaluator& evaluator_;
  Text text_;
};

}  // namespace flyback
