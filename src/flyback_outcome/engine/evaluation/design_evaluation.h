#pragma once

// One shown design, evaluated once: its loss budget at the operating points
// that exist, its efficiency over line and load, every part against its stress, and every finding
// of the checks. The design file, the design report, the netlist, the overview and the tables on
// standard error all render this one object; none of them recomputes a figure of it. It is
// immutable once made, so a worker thread (the simulation) may share it with the window.

#include <memory>
#include <optional>
#include <vector>

#include "engine/adviser/core_ranking.h"
#include "engine/checks/design_checks.h"
#include "engine/checks/part_stress.h"
#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"
#include "engine/loop/loop_design.h"
#include "engine/losses/loss_budget.h"
#include "engine/losses/user_core_data.h"
#include "engine/simulation/simulation_comparison.h"
#include "state/design/design_state.h"

namespace flyback {

struct DesignEvaluation {
  DesignState design;
  LossBudget budget;
  // The efficiency over line and load, and against the rules for external
  // power supplies.
  EfficiencyMap efficiency_map;
  RulesCheck efficiency_rules;
  std::vector<PartStress> part_stresses;
  // Those of the design's checks, of its operating points, its losses and
  // its parts' stresses; errors first.
  std::vector<Finding> findings;
  // The core adviser's ranking of the other transformers, where asked.
  std::optional<CoreAdvice> alternatives;
  // The feedback loop of a design regulated through the opto-coupler whose
  // divider is dimensioned; none otherwise.
  std::optional<LoopDesign> loop;
};

struct EvaluationRequest {
  const UserCoreData* core_data = nullptr;  // the user's core (--core-data), or null
  bool alternatives = false;                // rank the other transformers (--advise)
  // The design is an external power supply: the rules' verdicts bind
  // (--external-power-supply); otherwise they are a reference.
  bool external_power_supply = false;
  // Hz, the crossover the loop's compensator is designed for, as the user
  // set it in the overview; 0: the default rule (docs/loop.md).
  double loop_crossover_Hz = 0;
  // The compensator the user set in the overview in place of the component
  // list's parts, for the loop's corners; none: the list's parts.
  std::optional<OptoCompensator> loop_parts{};
};

std::shared_ptr<const DesignEvaluation> EvaluateDesign(const DesignState& design,
                                                       const EvaluationRequest& request);

// Every finding on the evaluated design: its own, then those of its
// `simulation` where there is one (or null), then those of its loop's .ac
// runs `loop` (or null).
std::vector<Finding> FindingsWithSimulation(const DesignEvaluation& evaluation,
                                            const SimulationComparison* simulation,
                                            const LoopSimulation* loop = nullptr);

}  // namespace flyback
