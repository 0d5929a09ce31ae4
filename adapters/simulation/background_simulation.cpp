#include "background_simulation.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "engine/simulation/comparison_table.h"
#include "engine/simulation/spice_netlist.h"
#include "stage_simulation.h"

namespace flyback {

namespace {

std::string OutcomeLine(const SimulationOutcome& outcome) {
  if (!outcome.comparison) {
    constexpr std::string_view kCannot = "cannot simulate";
    if (outcome.failure.rfind(kCannot, 0) == 0) return "C" + outcome.failure.substr(1);
    return "Cannot simulate: " + outcome.failure;
  }
  return "Simulated: " + ComparisonVerdict(*outcome.comparison);
}

}  // namespace

BackgroundSimulation::BackgroundSimulation(const DesignEvaluator& evaluator)
    : BackgroundSimulation(evaluator,
                           [](const DesignEvaluation& evaluation, const RunControl& control) {
                             return SimulateStage(evaluation.design, evaluation.budget, control);
                           }) {}

BackgroundSimulation::BackgroundSimulation(const DesignEvaluator& evaluator, StageRun run)
    : evaluator_(evaluator), run_(std::move(run)), worker_([this] { Work(); }) {}

BackgroundSimulation::~BackgroundSimulation() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    cancel_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void BackgroundSimulation::DesignShown(const DesignState& /*design*/) {
  Simulate();
}

void BackgroundSimulation::ComponentsDimensioned(const DesignState& /*design*/) {
  Simulate();
}

void BackgroundSimulation::Simulate() {
  const std::shared_ptr<const DesignEvaluation>& evaluation = evaluator_.evaluation();
  std::string netlist = SpiceNetlist(evaluation->design, evaluation->budget);
  if (netlist == simulated_) return;
  simulated_ = std::move(netlist);
  // The files written for the new design hold no simulation until its run ends.
  outcome_.reset();
  running_ = true;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    waiting_ = evaluation;
    finished_.reset();
    share_done_ = 0;
    cancel_ = true;  // the run going is of a design no longer shown
  }
  wake_.notify_one();
}

void BackgroundSimulation::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || waiting_ != nullptr; });
    if (stopping_) return;
    const std::shared_ptr<const DesignEvaluation> evaluation = std::move(waiting_);
    waiting_.reset();
    const int generation = generation_;
    cancel_ = false;
    lock.unlock();
    RunControl control;
    // A run cancelled for a newer design may still report progress until
    // its worker process is gone: the share shown is the newer run's.
    control.progress = [this, generation](double share) {
      const std::lock_guard<std::mutex> progress_lock(mutex_);
      if (generation == generation_) share_done_ = share;
    };
    control.cancel = &cancel_;
    SimulationOutcome outcome = run_(*evaluation, control);
    lock.lock();
    if (generation == generation_) finished_ = std::move(outcome);
  }
}

std::string BackgroundSimulation::Poll() {
  bool ended = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finished_) {
      outcome_ = std::move(finished_);
      finished_.reset();
      running_ = false;
      ended = true;
    }
  }
  if (ended && ended_) ended_();
  return Status();
}

std::string BackgroundSimulation::Status() const {
  if (running_) {
    return "Simulating... " + std::to_string(std::lround(100 * share_done_.load())) + " %";
  }
  return outcome_ ? OutcomeLine(*outcome_) : std::string();
}

}  // namespace flyback
