#pragma once

// The load step of the simulation section: output 1 across the step of
// every output's load from 100 % to 50 % and back at the lowest input
// voltage, with the design's own loop. Per edge the settled voltages
// before and after it, the extreme and the settling time as a table, beside
// it output 1 averaged over whole switching periods against time with both
// edges dashed; or why the step was not simulated.

#include "engine/design_report/html_text.h"
#include "engine/simulation/simulation_comparison.h"

namespace flyback {

// The table of `response`, one row per edge.
HtmlTable LoadStepTable(const LoadStepResponse& response);

// The load step of `comparison`: its table and chart, or its failure in
// one line; empty where the design has no loop to step.
Html LoadStepHtml(const SimulationComparison& comparison);

}  // namespace flyback
