// The terminal's simulation beside the dialogue: a run cancelled because a
// newer design is shown may still report progress and end with an outcome;
// neither may show as the newer design's. The stage run is a stand-in that
// waits to be released, so the order of events is the test's.

#include "background_simulation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "design_evaluator.h"
#include "simulation/held_runs.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

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
