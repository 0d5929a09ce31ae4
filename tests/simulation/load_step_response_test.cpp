// The load step's figures from made-up waveforms of output 1 (regulated at
// 100 V, band 1 V), sampled every 1 µs with a period of 10 µs: the load
// falls at 100 µs and rises at 400 µs, the run ends at 700 µs. Before the
// fall the output stands at 100 V.

#include "engine/simulation/load_step_response.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace flyback {
namespace {

constexpr double kPeriod_s = 10e-6;

SimulatedWaveforms Waves(const std::function<double(double)>& U_of) {
  SimulatedWaveforms w;
  w.windings.resize(2);
  for (int i = 0; i <= 700; ++i) {
    const double t = i * 1e-6;
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

}  // namespace
}  // namespace flyback
