#pragma once

// The efficiency map as a table on standard error in script mode
// (--efficiency-map, --external-power-supply), written whenever the
// dialogue shows a calculated design; the transcript on standard output
// stays as it is.

#include <string>

#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"
#include "engine/evaluation/design_evaluation.h"

namespace flyback {

// A heading line, a line of column names, a line per input voltage with
// the efficiency at each load (%) and the no-load input power (mW), then a
// line per rule with its figures, limits and verdict.
std::string EfficiencyTableText(const EfficiencyMap& map, const RulesCheck& rules);

// The table of `evaluation`.
std::string EfficiencyTableOf(const DesignEvaluation& evaluation);

}  // namespace flyback
