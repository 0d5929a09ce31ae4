#pragma once

// --simulate in the terminal: each new design is simulated on a worker
// thread while the dialogue goes on. A new design cancels the run of the one
// before (its worker process is killed); ending the program cancels the run
// that is still going. The outcome of the design shown last is handed over
// on the dialogue's thread only, when it asks (Poll): nothing the dialogue
// reads is written by the worker thread.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "design_evaluator.h"
#include "engine/simulation/simulation_comparison.h"
#include "ngspice_run.h"

namespace flyback {

class BackgroundSimulation : public DesignObserver {
 public:
  // Runs one evaluated design to its outcome, on the worker thread.
  using StageRun = std::function<SimulationOutcome(const DesignEvaluation& evaluation,
                                                   const RunControl& control)>;

  // `evaluator` (whose evaluation of the shown design is simulated) must
  // outlive the simulation. `run` simulates the stage (SimulateStage).
  explicit BackgroundSimulation(const DesignEvaluator& evaluator);
  BackgroundSimulation(const DesignEvaluator& evaluator, StageRun run);
  BackgroundSimulation(const BackgroundSimulation&) = delete;
  BackgroundSimulation& operator=(const BackgroundSimulation&) = delete;
  // Cancels the run that is going and waits for the worker thread, which
  // takes as long as killing the run's worker process.
  ~BackgroundSimulation() override;

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
  void Work();
  std::string Status() const;

  const DesignEvaluator& evaluator_;
  StageRun run_;
  std::function<void()> ended_;
  // The dialogue's thread only.
  std::optional<SimulationOutcome> outcome_;
  std::string simulated_;  // the netlist shown last: the same design is not run twice
  bool running_ = false;   // a run of the design shown last has not been taken yet

  std::atomic<bool> cancel_ = false;
  std::atomic<double> share_done_ = 0;  // of the run of the design shown last, 0 .. 1

  std::mutex mutex_;  // guards what follows
  std::condition_variable wake_;
  std::shared_ptr<const DesignEvaluation> waiting_;  // the design to run next
  std::optional<SimulationOutcome> finished_;        // of the design shown last
  int generation_ = 0;                               // designs handed to the worker
  bool stopping_ = false;

  std::thread worker_;  // last: started once everything above is in place
};

}  // namespace flyback
