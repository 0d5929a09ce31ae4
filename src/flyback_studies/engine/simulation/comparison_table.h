#pragma once

// The simulation beside the calculation as a table: the cells of each
// compared figure, and the whole as plain text, one line a figure, for a
// terminal or a log.

#include <array>
#include <string>

#include "engine/simulation/simulation_comparison.h"

namespace flyback {

inline constexpr std::array<const char*, 7> kComparisonColumns = {
    "point", "figure", "simulated", "calculated", "deviation", "tolerance", "verdict"};

// The texts of `row` under kComparisonColumns.
std::array<std::string, 7> ComparisonCells(const ComparedFigure& row);

std::string ComparisonTable(const SimulationComparison& comparison);

// One line per edge of the load step ("load step 100 % to 50 %: output 1
// from 134.9 V to 135.1 V, extreme 137.2 V (+2.1 V), settled within 1 % after
// 1.25 ms"), or why it was not simulated; empty without a load step.
std::string LoadStepLines(const SimulationComparison& comparison);

// "every figure within its tolerance", or "3 figures outside their
// tolerance", followed by "not settled at the highest input voltage: not
// compared there" where a run did not settle: the verdict on the whole
// comparison a status line gives.
std::string ComparisonVerdict(const SimulationComparison& comparison);

}  // namespace flyback
