#pragma once

// The feedback loop of an opto-regulated design as a table on standard error
// in script mode (--loop, see side_table.h).

#include <string>

#include "design_evaluator.h"
#include "engine/loop/loop_design.h"

namespace flyback {

// Two tables, the design's own parts (the component list's) and then the
// proposed compensator: each a line with the parts, a line of column names
// and a line per corner: line end, load, CTR, the stage's mode and switching
// frequency, the crossover, the phase and gain margins and the warnings.
std::string LoopTableText(const LoopDesign& loop);

// The loop of the evaluation as that table; empty without one.
std::string LoopTableOf(const DesignEvaluation& evaluation);

}  // namespace flyback
