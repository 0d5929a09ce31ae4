#include "background_simulation.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "engine/simulation/comparison_table.h"

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

BackgroundSimulation::BackgroundSimulation(const DesignEvaluator& evaluator, LoadPoints load_points)
    : evaluator_(evaluator), worker_(nullptr, load_points) {}

BackgroundSimulation::BackgroundSimulation(const DesignEvaluator& evaluator,
                                           SimulationWorker::StageRun run)
    : evaluator_(evaluator), worker_(nullptr, std::move(run)) {}

void BackgroundSimulation::DesignShown(const DesignState& /*design*/) {
  Simulate();
}

void BackgroundSimulation::ComponentsDimensioned(const DesignState& /*design*/) {
  Simulate();
}

void BackgroundSimulation::Simulate() {
  if (!worker_.SetDesign(evaluator_.evaluation())) return;
  // The files written for the new design hold no simulation until its run ends.
  outcome_.reset();
  running_ = true;
  worker_.Start();
}

std::string BackgroundSimulation::Poll() {
  std::optional<RunEnd> end = worker_.TakeEnded();
  if (end) {
    outcome_ = std::move(end->outcome);
    running_ = false;
    if (ended_) ended_();
  }
  return Status();
}

std::string BackgroundSimulation::Status() const {
  if (running_) {
    return "Simulating... " + std::to_string(std::lround(100 * worker_.share_done())) + " %";
  }
  return outcome_ ? OutcomeLine(*outcome_) : std::string();
}

}  // namespace flyback
