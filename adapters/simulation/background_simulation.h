#pragma once

// --simulate in the terminal: each new design is simulated on a worker
// thread while the dialogue goes on. A new design cancels the run of the one
// before (its worker process is killed); ending the program cancels the run
// that is still going. The outcome of the design shown last is handed over
// on the dialogue's thread only, when it asks (Poll): nothing the dialogue
// reads is written by the worker thread.

#include <functional>
#include <optional>
#include <string>

#include "design_evaluator.h"
#include "engine/simulation/simulation_comparison.h"
#include "simulation_worker.h"

namespace flyback {

class BackgroundSimulation : public DesignObserver {
 public:
  // `evaluator` (whose evaluation of the shown design is simulated) must
  // outlive the simulation. The run is SimulateStage with `load_points`, or
  // `run`.
  explicit BackgroundSimulation(const DesignEvaluator& evaluator,
                                LoadPoints load_points = LoadPoints::kSimulated);
  BackgroundSimulation(const DesignEvaluator& evaluator, SimulationWorker::StageRun run);

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;

  // `ended` is called on the dialogue's thread, from Poll, once the run of
  // the design shown last has ended and outcome() holds it.
  void OnEnded(std::function<void()> ended) { ended_ = std::move(ended); }

  // On the dialogue's thread, a few times a second: takes the outcome of a
  // run that has ended and returns one line on the run ("Simulating... 45 %",
  // "Simulated: ...", "Cannot simulate ..."), empty before the first design.
  std::string Poll();

  // The simulation of the design shown last, once its run has ended and a
  // Poll has taken it; none while it runs.
  const std::optional<SimulationOutcome>& outcome() const { return outcome_; }

 private:
  void Simulate();
  std::string Status() const;

  const DesignEvaluator& evaluator_;
  std::function<void()> ended_;
  std::optional<SimulationOutcome> outcome_;
  bool running_ = false;  // a run of the design shown last has not been taken yet
  // Last: destroyed first, it cancels the run going and waits for its
  // thread, which takes as long as killing the run's worker process.
  SimulationWorker worker_;
};

}  // namespace flyback
