#include "engine/evaluation/report_input.h"

#include <utility>

namespace flyback {

DesignReportInput ReportInputOf(const DesignEvaluation& evaluation,
                                const std::vector<Finding>& findings,
                                const std::optional<OptimizationRecord>& optimization,
                                std::string program) {
  DesignReportInput input{evaluation.design, evaluation.budget, findings, optimization,
                          std::move(program)};
  input.alternatives = evaluation.alternatives ? &*evaluation.alternatives : nullptr;
  input.efficiency_map = &evaluation.efficiency_map;
  input.efficiency_rules = &evaluation.efficiency_rules;
  input.loop = evaluation.loop ? &*evaluation.loop : nullptr;
  return input;
}

}  // namespace flyback
