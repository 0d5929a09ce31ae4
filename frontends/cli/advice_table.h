#pragma once

// The core adviser's ranking as a table on standard error in script mode
// (--advise, see side_table.h).

#include <string>

#include "engine/adviser/core_ranking.h"
#include "engine/evaluation/design_evaluation.h"

namespace flyback {

// One heading line with the drain-voltage limit and the weights, a line of
// column names and a line per candidate in the order of the ranking; the
// present transformer is marked with "*".
std::string AdviceTableText(const CoreAdvice& advice);

// The ranking of `evaluation`, where it was asked for (--advise); empty
// otherwise.
std::string AdviceTableOf(const DesignEvaluation& evaluation);

}  // namespace flyback
