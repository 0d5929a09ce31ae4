#pragma once

// The design report's input from the one evaluation of a design: its design,
// budget, efficiency map, rules, loop and adviser's ranking, with the
// findings, the optimization and the program named by the caller.

#include <optional>
#include <string>
#include <vector>

#include "engine/design_report/design_report.h"
#include "engine/evaluation/design_evaluation.h"

namespace flyback {

// The input refers to `evaluation`, `findings` and `optimization`, which
// outlive it.
DesignReportInput ReportInputOf(const DesignEvaluation& evaluation,
                                const std::vector<Finding>& findings,
                                const std::optional<OptimizationRecord>& optimization,
                                std::string program);

}  // namespace flyback
