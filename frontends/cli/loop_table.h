#pragma once

// The feedback loop of an opto-regulated design as a table on standard error
// in script mode (--loop), written whenever the dialogue shows a calculated
// design; the transcript on standard output stays as it is.

#include <ostream>
#include <string>

#include "design_evaluator.h"
#include "engine/loop/loop_design.h"

namespace flyback {

// A line with the compensator's parts, a line of column names and a line per
// corner: line end, load, CTR, the stage's mode and switching frequency, the
// crossover, the phase and gain margins and the warnings.
std::string LoopTableText(const LoopDesign& loop);

class LoopTable : public DesignObserver {
 public:
  // `evaluator`: whose evaluation is shown; it outlives the table.
  LoopTable(std::ostream& out, const DesignEvaluator& evaluator)
      : out_(out), evaluator_(evaluator) {}

  void DesignShown(const DesignState& design) override;

 private:
  std::ostream& out_;
  const DesignEvaluator& evaluator_;
};

}  // namespace flyback
