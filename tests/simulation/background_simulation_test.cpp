// The terminal's simulation beside the dialogue: a run cancelled because a
// newer design is shown may still report progress and end with an outcome;
// neither may show as the newer design's. The stage run is a stand-in that
// waits to be released, so the order of events is the test's.

#include "background_simulation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "design_evaluator.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// Each run reports 70 % done once released, then ends with the failure
// "run <n>" (n counts the runs from 1).
class HeldRuns {
 public:
  SimulationOutcome Run(const RunControl& control) {
    std::unique_lock<std::mutex> lock(mutex_);
    const int run = ++started_;
    changed_.notify_all();
    changed_.wait(lock, [this, run] { return released_ >= run; });
    lock.unlock();
    control.progress(0.7);
    SimulationOutcome outcome;
    outcome.failure = "run " + std::to_string(run);
    lock.lock();
    ended_ = run;
    changed_.notify_all();
    return outcome;
  }
  void AwaitStarted(int run) {
    std::unique_lock<std::mutex> lock(mutex_);
    ASSERT_TRUE(
        changed_.wait_for(lock, std::chrono::seconds(10), [this, run] { return started_ >= run; }));
  }
  void Release(int run) {
    std::unique_lock<std::mutex> lock(mutex_);
    released_ = run;
    changed_.notify_all();
    ASSERT_TRUE(
        changed_.wait_for(lock, std::chrono::seconds(10), [this, run] { return ended_ >= run; }));
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int started_ = 0;
  int released_ = 0;
  int ended_ = 0;
};

// Polls until the line on the run is no longer "Simulating...".
std::string AwaitEnd(BackgroundSimulation& simulation) {
  std::string line = simulation.Poll();
  for (int i = 0; i < 1000 && line.rfind("Simulating", 0) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    line = simulation.Poll();
  }
  return line;
}

TEST(BackgroundSimulation, ARunOfADesignNoLongerShownNeitherShowsNorStands) {
  HeldRuns runs;
  DesignEvaluator evaluator({});
  BackgroundSimulation simulation(
      evaluator, [&runs](const DesignEvaluation& /*evaluation*/, const RunControl& control) {
        return runs.Run(control);
      });
  evaluator.Add(&simulation);

  // The result screen, then the same design shown again (the same netlist:
  // no new run), then a design for another mains range while the first run
  // is still going.
  DesignState design = CalculatedWithComponents(ThreeOutputDemo());
  evaluator.DesignShown(design);
  runs.AwaitStarted(1);
  evaluator.DesignShown(design);
  EXPECT_EQ(simulation.Poll(), "Simulating... 0 %");
  design.inputs.U_mains_min = 100;
  evaluator.DesignShown(CalculatedWithComponents(design));
  // The first run goes on to its end after the newer design was shown.
  runs.Release(1);
  EXPECT_EQ(simulation.Poll(), "Simulating... 0 %");
  EXPECT_FALSE(simulation.outcome());

  runs.AwaitStarted(2);
  runs.Release(2);
  EXPECT_EQ(AwaitEnd(simulation), "Cannot simulate: run 2");
}

}  // namespace
}  // namespace flyback
