#include "background_simulation.h"

#include <cmath>
#include <string_view>

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
    : evaluator_(evaluator), worker_([this] { Work(); }) {}

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
    control.progress = [this](double share) { share_done_ = share; };
    control.cancel = &cancel_;
    SimulationOutcome outcome = SimulateStage(evaluation->design, evaluation->budget, control);
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
