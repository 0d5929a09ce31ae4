#pragma once

// --simulate: after each calculation, and again when the component list
// changes the output capacitors, the designed stage is simulated at both
// operating points. The outcome is kept for the design file; where a stream
// is given (standard error in script mode), the comparison table or the one
// line of a failure goes there. The dialogue waits for each run (script
// mode: its output stays in the same order); the terminal runs it beside the
// dialogue (background_simulation.h).

#include <optional>
#include <ostream>
#include <string>

#include "design_evaluator.h"
#include "engine/simulation/simulation_comparison.h"
#include "stage_simulation.h"

namespace flyback {

class SimulationObserver : public DesignObserver {
 public:
  // `evaluator` (whose evaluation of the shown design is simulated) must
  // outlive the observer; `table` may be null.
  SimulationObserver(const DesignEvaluator& evaluator, std::ostream* table,
                     LoadPoints load_points = LoadPoints::kSimulated)
      : evaluator_(evaluator), table_(table), load_points_(load_points) {}

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;

  // The simulation of the design shown last; none before the first.
  const std::optional<SimulationOutcome>& outcome() const { return outcome_; }

 private:
  void Simulate();

  const DesignEvaluator& evaluator_;
  std::ostream* table_;
  LoadPoints load_points_;
  std::optional<SimulationOutcome> outcome_;
  std::string simulated_;  // the netlist of the outcome: the same design is not run twice
};

}  // namespace flyback
