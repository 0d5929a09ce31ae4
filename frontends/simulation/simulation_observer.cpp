#include "simulation_observer.h"

#include "engine/losses/loss_budget.h"
#include "engine/simulation/comparison_table.h"
#include "engine/simulation/spice_netlist.h"
#include "stage_simulation.h"

namespace flyback {

void SimulationObserver::DesignShown(const DesignState& design) {
  Simulate(design);
}

void SimulationObserver::ComponentsDimensioned(const DesignState& design) {
  Simulate(design);
}

void SimulationObserver::Simulate(const DesignState& design) {
  const LossBudget budget = ComputeLossBudget(design, core_data_);
  std::string netlist = SpiceNetlist(design, budget);
  if (outcome_ && netlist == simulated_) return;
  outcome_ = SimulateStage(design, budget, {});
  simulated_ = std::move(netlist);
  if (table_ == nullptr) return;
  if (outcome_->comparison) {
    *table_ << ComparisonTable(*outcome_->comparison);
  } else {
    *table_ << "flyback: " << outcome_->failure << "\n";
  }
  table_->flush();
}

}  // namespace flyback
