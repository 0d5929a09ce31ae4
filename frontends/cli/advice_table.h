#pragma once

// The core adviser's ranking as a table on standard error in script mode
// (--advise), written whenever the dialogue shows a calculated design; the
// transcript on standard output stays as it is.

#include <ostream>
#include <string>

#include "design_evaluator.h"
#include "engine/adviser/core_ranking.h"

namespace flyback {

// One heading line with the drain-voltage limit and the weights, a line of
// column names and a line per candidate in the order of the ranking; the
// present transformer is marked with "*".
std::string AdviceTableText(const CoreAdvice& advice);

class AdviceTable : public DesignObserver {
 public:
  // `evaluator`: whose evaluation, asked with the ranking, is shown; it
  // outlives the table.
  AdviceTable(std::ostream& out, const DesignEvaluator& evaluator)
      : out_(out), evaluator_(evaluator) {}

  void DesignShown(const DesignState& design) override;

 private:
  std::ostream& out_;
  const DesignEvaluator& evaluator_;
};

}  // namespace flyback
