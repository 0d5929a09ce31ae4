#include "simulation_worker.h"

#include <utility>

#include "engine/simulation/spice_netlist.h"
#include "stage_simulation.h"

namespace flyback {

SimulationWorker::SimulationWorker(std::function<void()> ended, LoadPoints load_points)
    : SimulationWorker(std::move(ended), [load_points](const DesignEvaluation& evaluation,
                                                       const RunControl& control) {
        return SimulateStage(evaluation, control, load_points);
      }) {}

SimulationWorker::SimulationWorker(std::function<void()> ended, StageRun run)
    : ended_(std::move(ended)), run_(std::move(run)), worker_([this] { Work(); }) {}

SimulationWorker::~SimulationWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    cancel_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

bool SimulationWorker::SetDesign(std::shared_ptr<const DesignEvaluation> evaluation) {
  std::string netlist = SpiceNetlist(evaluation->design, evaluation->budget, evaluation->loop);
  const bool same_stage = evaluation_ != nullptr && netlist == netlist_;
  evaluation_ = std::move(evaluation);
  if (same_stage) return false;
  netlist_ = std::move(netlist);
  const std::lock_guard<std::mutex> lock(mutex_);
  Supersede();
  waiting_.reset();
  return true;
}

void SimulationWorker::Start() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    Supersede();
    waiting_ = evaluation_;
  }
  wake_.notify_one();
}

void SimulationWorker::Supersede() {
  // The run going is of no use any more: its number is no longer the last,
  // so neither its progress nor its end counts.
  ++generation_;
  finished_.reset();
  share_done_ = 0;
  cancel_ = true;
}

void SimulationWorker::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = generation_;
  // The run going is either the one started last or one dropped, already
  // cancelled; a run still waiting starts cancelled.
  cancel_ = true;
}

std::optional<RunEnd> SimulationWorker::TakeEnded() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(finished_, std::nullopt);
}

void SimulationWorker::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || waiting_ != nullptr; });
    if (stopping_) return;
    const std::shared_ptr<const DesignEvaluation> evaluation = std::exchange(waiting_, nullptr);
    const int run = generation_;
    cancel_ = cancelled_ == run;
    lock.unlock();
    RunControl control;
    // A run dropped for a newer one may still report progress until its
    // worker process is gone: the share shown is the newer run's.
    control.progress = [this, run](double share) {
      const std::lock_guard<std::mutex> progress_lock(mutex_);
      if (run == generation_) share_done_ = share;
    };
    control.cancel = &cancel_;
    SimulationOutcome outcome = run_(*evaluation, control);
    lock.lock();
    if (run != generation_) continue;
    finished_ = RunEnd{std::move(outcome), cancelled_ == run};
    lock.unlock();
    if (ended_) ended_();
    lock.lock();
  }
}

}  // namespace flyback
