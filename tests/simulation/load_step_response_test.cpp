// The load step's figures from made-up waveforms of output 1 (regulated at
// 100 V, band 1 V), sampled every 1 µs with a period of 10 µs: the load
// falls at 100 µs and rises at 400 µs, the run ends at 700 µs. Before the
// fall the output stands at 100 V.

#include "engine/simulation/load_step_response.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace flyback {
namespace {

constexpr double kPeriod_s = 10e-6;

SimulatedWaveforms Waves(const std::function<double(double)>& U_of, int samples = 700,
                         double first_s = 0) {
  SimulatedWaveforms w;
  w.windings.resize(2);
  for (int i = 0; i <= samples; ++i) {
    const double t = first_s + i * 1e-6;
    w.time_s.push_back(t);
    w.windings[1].output_V.push_back(U_of(t));
  }
  return w;
}

SpiceRun StepRun() {
  SpiceRun run;
  run.period_s = kPeriod_s;
  run.load_step = LoadStepTimes{100e-6, 400e-6, 700e-6};
  return run;
}

TEST(LoadStepResponse, OvershootUndershootAndSettlingByHand) {
  // Fall: 103 V for three periods, then 100.5 V: an overshoot of 2.5 V
  // over the settled 100.5 V, settled 30 µs after the edge. Rise: 97 V for
  // five periods, then 100 V: 3 V under, settled after 50 µs. A rise that
  // swings 98/102 V period by period to the end never settles.
  struct Case {
    const char* name;
    std::function<double(double)> rise;
    std::optional<double> rise_settling_s;
  };
  const Case cases[] = {
      {"settles", [](double t) { return t < 450e-6 ? 97.0 : 100.0; }, 50e-6},
      {"swings",
       [](double t) { return static_cast<int>((t - 400e-6) / kPeriod_s) % 2 == 0 ? 98.0 : 102.0; },
       std::nullopt},
  };
  for (const Case& c : cases) {
    const auto U_of = [&c](double t) {
      if (t < 100e-6) return 100.0;
      if (t < 400e-6) return t < 130e-6 ? 103.0 : 100.5;
      return c.rise(t);
    };
    const std::optional<LoadStepResponse> r = MeasureLoadStep(Waves(U_of), StepRun(), 100);
    ASSERT_TRUE(r) << c.name;
    ASSERT_EQ(r->edges.size(), 2U);
    const LoadStepEdge& fall = r->edges[0];
    EXPECT_DOUBLE_EQ(fall.U_before_V, 100);
    EXPECT_NEAR(fall.U_after_V, 100.5, 1e-9);
    EXPECT_NEAR(fall.deviation_V, 2.5, 1e-9);
    ASSERT_TRUE(fall.settling_s);
    EXPECT_NEAR(*fall.settling_s, 30e-6, 1e-12);
    const LoadStepEdge& rise = r->edges[1];
    EXPECT_EQ(rise.settling_s.has_value(), c.rise_settling_s.has_value()) << c.name;
    if (c.rise_settling_s) {
      EXPECT_NEAR(rise.U_after_V, 100, 1e-9);
      EXPECT_NEAR(rise.deviation_V, -3, 1e-9);
      EXPECT_NEAR(*rise.settling_s, *c.rise_settling_s, 1e-12);
    }
  }
  // A run cut short before the end has no load step to measure.
  EXPECT_FALSE(MeasureLoadStep(
      Waves([](double /*t*/) { return 100.0; }),
      [] {
        SpiceRun r = StepRun();
        r.load_step->end_s = 900e-6;
        return r;
      }(),
      100));
}

TEST(LoadStepResponse, WindowsGroupedWithAShorterLastGroup) {
  // Five windows of 1 s averaging 1..5 V in pairs: (1+2)/2, (3+4)/2, and 5
  // alone, each at the end of its last window.
  const WindowAverages grouped = GroupedWindows({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}, 2);
  EXPECT_EQ(grouped.end_s, (std::vector<double>{2, 4, 5}));
  EXPECT_EQ(grouped.U_V, (std::vector<double>{1.5, 3.5, 5}));
}

TEST(LoadStepResponse, ALongRunIsPlottedInPairsOfWindowsWithinEachPart) {
  // 99 + 300 + 300 windows of 10 µs: 699 single windows are more than the
  // 400 a plot keeps, pairs give 50 + 150 + 150 = 350, the first part ending
  // in a window of its own. Output 1 rises by 1 V a millisecond, so a group
  // averages 100 V + its middle at 1 V/ms. The samples lie half a
  // microsecond off the windows' ends, so that each window holds ten of them
  // symmetric about its middle.
  SpiceRun run;
  run.period_s = kPeriod_s;
  run.load_step = LoadStepTimes{990e-6, 3990e-6, 6990e-6};
  const std::optional<LoadStepResponse> r =
      MeasureLoadStep(Waves([](double t) { return 100 + 1000 * t; }, 6990, 0.5e-6), run, 100);
  ASSERT_TRUE(r);
  ASSERT_EQ(r->window_end_s.size(), 350U);
  ASSERT_EQ(r->window_average_V.size(), 350U);
  const struct {
    std::size_t index;
    double end_s;
    double U_V;
  } points[] = {
      {0, 20e-6, 100.01},      // 0 to 20 µs
      {49, 990e-6, 100.985},   // 980 to 990 µs, alone before the fall
      {50, 1010e-6, 101},      // 990 to 1010 µs, the first pair after it
      {349, 6990e-6, 106.98},  // 6970 to 6990 µs
  };
  for (const auto& p : points) {
    EXPECT_NEAR(r->window_end_s[p.index], p.end_s, 1e-12) << p.index;
    EXPECT_NEAR(r->window_average_V[p.index], p.U_V, 1e-9) << p.index;
  }
}

}  // namespace
}  // namespace flyback
