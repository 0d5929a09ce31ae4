#include "simulation_observer.h"

#include "engine/simulation/comparison_table.h"
#include "engine/simulation/spice_netlist.h"
#include "stage_simulation.h"

namespace flyback {

void SimulationObserver::DesignShown(const DesignState& /*design*/) {
  Simulate();
}

void SimulationObserver::ComponentsDimensioned(const DesignState& /*design*/) {
  Simulate();
}

void SimulationObserver::Simulate() {
  const DesignEvaluation& evaluation = *evaluator_.evaluation();
  std::string netlist = SpiceNetlist(evaluation.design, evaluation.budget, evaluation.loop);
  if (outcome_ && netlist == simulated_) return;
  outcome_ = SimulateStage(evaluation, {}, load_points_);
  simulated_ = std::move(netlist);
  if (table_ == nullptr) return;
  if (outcome_->comparison) {
    *table_ << ComparisonTable(*outcome_->comparison)
            << LoadPointTable(outcome_->comparison->load_points)
            << LoadStepLines(*outcome_->comparison);
  } else {
    *table_ << "flyback: " << outcome_->failure << "\n";
  }
  if (outcome_->loop && evaluation.loop)
    *table_ << LoopSimulationText(*evaluation.loop, *outcome_->loop);
  table_->flush();
}

}  // namespace flyback
