#pragma once

// The stage simulation of the design shown, on a thread of its own so that
// the dialogue goes on; the terminal (background_simulation.h) and the
// window's tab "Simulation" both run it. One run at a time: a newer design
// cancels the run of the one before (its worker process is killed), and
// that run's outcome, which may still come, is dropped: only a run of the
// design set last reports its end. The owner's thread hands designs over
// and takes the outcome; the worker thread writes nothing else it reads.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"
#include "ngspice_run.h"
#include "stage_simulation.h"

namespace flyback {

// The end of a run of the design set last.
struct RunEnd {
  SimulationOutcome outcome;
  bool cancelled = false;  // Cancel was called during the run (it may have ended all the same)
};

class SimulationWorker {
 public:
  // Runs one evaluated design to its outcome, on the worker thread.
  using StageRun = std::function<SimulationOutcome(const DesignEvaluation& evaluation,
                                                   const RunControl& control)>;

  // `ended` (may be empty) is called on the worker thread once a run of the
  // design set last has ended and TakeEnded holds it; it must not call back
  // into the worker. The run is SimulateStage with `load_points`, or `run`.
  explicit SimulationWorker(std::function<void()> ended,
                            LoadPoints load_points = LoadPoints::kSimulated);
  SimulationWorker(std::function<void()> ended, StageRun run);
  SimulationWorker(const SimulationWorker&) = delete;
  SimulationWorker& operator=(const SimulationWorker&) = delete;
  // Cancels the run that is going and waits for the worker thread, which
  // takes as long as killing the run's worker process.
  ~SimulationWorker();

  // Makes `evaluation` the design the next run simulates. False where its
  // stage is the one set before (the same netlist: the design shown again,
  // or evaluated again for another loop crossover): the run going, or the
  // outcome it left, stands. Otherwise the run going is cancelled and its
  // outcome dropped.
  bool SetDesign(std::shared_ptr<const DesignEvaluation> evaluation);
  // Runs the design set last, once the run going (cancelled, dropped) has ended.
  void Start();
  // Cancels the run of the design set last; its end is still reported.
  void Cancel();

  // The share (0 .. 1) done of the run started last.
  double share_done() const { return share_done_; }
  // The end of the run started last, once; none before it has ended.
  std::optional<RunEnd> TakeEnded();

 private:
  // With mutex_ held: the run going, and an end not taken, are dropped.
  void Supersede();
  void Work();

  std::function<void()> ended_;
  StageRun run_;
  // The owner's thread only.
  std::shared_ptr<const DesignEvaluation> evaluation_;
  std::string netlist_;  // of the design set last

  std::atomic<bool> cancel_ = false;    // of the run going
  std::atomic<double> share_done_ = 0;  // of the run started last

  std::mutex mutex_;  // guards what follows
  std::condition_variable wake_;
  std::shared_ptr<const DesignEvaluation> waiting_;  // the design to run next
  std::optional<RunEnd> finished_;                   // of the run started last
  // Numbers the runs started and the designs set: the run whose number is
  // not the last one is dropped.
  int generation_ = 0;
  int cancelled_ = 0;  // the number Cancel was called for
  bool stopping_ = false;

  std::thread worker_;  // last: started once everything above is in place
};

}  // namespace flyback
