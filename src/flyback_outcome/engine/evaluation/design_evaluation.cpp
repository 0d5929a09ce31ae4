#include "engine/evaluation/design_evaluation.h"

#include <utility>

#include "engine/checks/loss_checks.h"

namespace flyback {

std::shared_ptr<const DesignEvaluation> EvaluateDesign(const DesignState& design,
                                                       const EvaluationRequest& request) {
  auto evaluation = std::make_shared<DesignEvaluation>();
  evaluation->design = design;
  evaluation->budget = ComputeLossBudget(design, request.core_data);
  evaluation->efficiency_map = ComputeEfficiencyMap(design, evaluation->budget);
  evaluation->efficiency_rules =
      CheckRules(design.inputs, evaluation->efficiency_map, request.external_power_supply);
  evaluation->part_stresses = PartStresses(design, evaluation->budget);
  evaluation->findings =
      CheckDesignAndLosses(design, evaluation->budget, evaluation->part_stresses);
  if (request.alternatives) {
    HardLimits limits;
    if (request.core_data != nullptr && request.core_data->T_ambient_C)
      limits.T_ambient_C = *request.core_data->T_ambient_C;
    evaluation->alternatives = AdviseCores(design, request.core_data, {}, limits);
  }
  if (LoopNotModelledReason(design).empty()) {
    LoopAssumptions loop_assumptions;
    loop_assumptions.crossover_Hz = request.loop_crossover_Hz;
    evaluation->loop = ComputeLoopDesign(design, evaluation->budget, loop_assumptions,
                                         request.loop_parts ? &*request.loop_parts : nullptr);
  }
  return evaluation;
}

std::vector<Finding> FindingsWithSimulation(const DesignEvaluation& evaluation,
                                            const SimulationComparison* simulation,
                                            const LoopSimulation* loop) {
  std::vector<Finding> findings = evaluation.findings;
  if (simulation != nullptr) {
    for (Finding& finding : CheckSimulation(*simulation)) findings.push_back(std::move(finding));
  }
  if (loop != nullptr && evaluation.loop) {
    for (Finding& finding : CheckLoopSimulation(*evaluation.loop, *loop)) {
      findings.push_back(std::move(finding));
    }
  }
  return findings;
}

}  // namespace flyback
