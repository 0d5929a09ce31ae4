// The simulation beside the dialogue, as both the terminal and the window
// run it: a design set while a run goes on drops that run, whose end must
// never be taken as the newer design's, whether or not the newer design is
// started at once (the window waits for Simulate); the user's cancel is told
// with the end of the run it was meant for, and not with the next one.

#include "simulation_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "simulation/held_runs.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// Counts the ends the worker tells, on its thread.
class Ends {
 public:
  void Told() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++told_;
    changed_.notify_all();
  }
  void Await(int told) {
    std::unique_lock<std::mutex> lock(mutex_);
    ASSERT_TRUE(
        changed_.wait_for(lock, std::chrono::seconds(10), [this, told] { return told_ >= told; }));
  }
  int told() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return told_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int told_ = 0;
};

std::shared_ptr<const DesignEvaluation> DemoAtLowestMains(double U_mains_min_V) {
  DesignState design = ThreeOutputDemo();
  design.inputs.U_mains_min = U_mains_min_V;
  return EvaluateDesign(CalculatedWithComponents(design), {});
}

// A worker whose runs are held by the test and whose ends are counted.
class SimulationWorkerTest : public ::testing::Test {
 protected:
  HeldRuns runs;
  Ends ends;
  SimulationWorker worker{[this] { ends.Told(); },
                          [this](const DesignEvaluation& /*evaluation*/,
                                 const RunControl& control) { return runs.Run(control); }};

  // Lets run `run` (counted from 1) end and takes its end, the `told`th
  // end the worker tells.
  std::optional<RunEnd> EndOf(int run, int told) {
    runs.AwaitStarted(run);
    runs.Release(run);
    ends.Await(told);
    return worker.TakeEnded();
  }
};

TEST_F(SimulationWorkerTest, TheEndOfARunDroppedForANewerDesignIsNeverTaken) {
  const std::shared_ptr<const DesignEvaluation> first =
      EvaluateDesign(CalculatedWithComponents(ThreeOutputDemo()), {});
  ASSERT_TRUE(worker.SetDesign(first));
  worker.Start();
  runs.AwaitStarted(1);
  // The same stage set again keeps its run.
  EXPECT_FALSE(worker.SetDesign(first));

  // Another mains range, not started yet: the first run ends after it.
  EXPECT_TRUE(worker.SetDesign(DemoAtLowestMains(100)));
  runs.Release(1);
  EXPECT_FALSE(worker.TakeEnded());
  EXPECT_EQ(worker.share_done(), 0);

  worker.Start();
  std::optional<RunEnd> end = EndOf(2, 1);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->outcome.failure, "run 2");
  EXPECT_FALSE(end->cancelled);
  EXPECT_EQ(worker.share_done(), 0.7);
  // Told once: the dropped run was not, and its end is taken only once.
  EXPECT_EQ(ends.told(), 1);
  EXPECT_FALSE(worker.TakeEnded());
}

TEST_F(SimulationWorkerTest, TheUsersCancelIsToldWithItsRunOnly) {
  ASSERT_TRUE(worker.SetDesign(DemoAtLowestMains(100)));
  worker.Start();
  runs.AwaitStarted(1);
  worker.Cancel();
  std::optional<RunEnd> end = EndOf(1, 1);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->outcome.failure, "run 1 cancelled");
  EXPECT_TRUE(end->cancelled);

  // Simulate pressed again on the same design: a run of its own.
  worker.Start();
  end = EndOf(2, 2);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->outcome.failure, "run 2");
  EXPECT_FALSE(end->cancelled);
}

}  // namespace
}  // namespace flyback
