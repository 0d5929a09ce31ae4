#pragma once

// The efficiency map as a table on standard error in script mode
// (--efficiency-map, --external-power-supply), written whenever the
// dialogue shows a calculated design; the transcript on standard output
// stays as it is.

#include <ostream>
#include <string>

#include "design_evaluator.h"
#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"

namespace flyback {

// A heading line, a line of column names, a line per input voltage with
// the efficiency at each load (%) and the no-load input power (mW), then a
// line per rule with its figures, limits and verdict.
std::string EfficiencyTableText(const EfficiencyMap& map, const RulesCheck& rules);

class EfficiencyTable : public DesignObserver {
 public:
  // `evaluator`: whose evaluation is shown; it outlives the table.
  EfficiencyTable(std::ostream& out, const DesignEvaluator& evaluator)
      : out_(out), evaluator_(evaluator) {}

  void DesignShown(const DesignState& design) override;

 private:
  std::ostream& out_;
  const DesignEvaluator& evaluator_;
};

}  // namespace flyback
