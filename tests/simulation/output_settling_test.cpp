// The rule that ends a run once its outputs have settled: two windows of
// ten switching periods, each output's later average less than 0.02 % of
// the earlier one away from it.

#include "engine/simulation/output_settling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "engine/simulation/waveform_windows.h"

namespace flyback {
namespace {

TEST(AveragesSettled, EveryOutputWithinTheShareOfItsEarlierAverage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // 0.02 % of 5000 V is 1 V: a move of exactly 1 V is not less than it.
  const struct {
    std::vector<double> earlier_V;
    std::vector<double> later_V;
    bool settled;
  } cases[] = {
      {{100, 50}, {100.01, 49.995}, true},  // 0.01 % each
      {{100}, {100.05}, false},             // 0.05 %
      {{100, 10}, {100, 10.01}, false},     // the second moved 0.1 %
      {{5000}, {5001}, false},              // the edge, upwards
      {{5000}, {4999}, false},              // and downwards
      {{5000}, {5000.99}, true},            // just inside
      {{-5000}, {-5000.5}, true},           // a negative output by its size
      {{100, 50}, {100}, false},            // an output missing
      {{100}, {nan}, false},                // not a number never settles
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AveragesSettled(c.earlier_V, c.later_V), c.settled)
        << c.earlier_V.front() << " -> " << c.later_V.front();
  }
}

// `periods` + 1 turn-ons of a switch of period 1 s, at k + 0.15 s (the
// command rises from 0 at k s to 1 at k + 0.25 s, through the switch's on
// threshold of 0.6), sampled every 0.25 s,
// and one output rising `slope_V` a second from 100 V.
struct Ramp {
  std::vector<double> time_s;
  std::vector<double> gate;
  std::vector<double> output_V;

  Ramp(int periods, double slope_V) {
    for (int i = 0; i <= 4 * (periods + 1); ++i) {
      const double t = 0.25 * i;
      time_s.push_back(t);
      gate.push_back(i % 4 == 1 || i % 4 == 2 ? 1 : 0);
      output_V.push_back(100 + slope_V * t);
    }
  }
};

TEST(SettlingAtEnd, LastTenPeriodsAgainstTheTenBeforeAfterFiftyPeriods) {
  // Both windows run from a time point 0.25 s after one turn-on to the time
  // point before the turn-on ten periods on: their trapezoid averages are
  // the ramp's values at their middles, 10 s apart, so they differ by
  // 10·slope against some 100 V: 0.001 V/s moves 0.01 %, 0.003 V/s 0.03 %.
  const struct {
    int periods;
    double slope_V;
    bool settled;
  } cases[] = {
      {50, 0, true},        // steady, at the least periods
      {49, 0, false},       // steady, one period short
      {80, 0.001, true},    // 0.01 % a window
      {80, 0.003, false},   // 0.03 % a window
      {80, -0.003, false},  // falling as fast
  };
  for (const auto& c : cases) {
    const Ramp r(c.periods, c.slope_V);
    const Settling s = SettlingAtEnd(r.time_s, r.gate, {&r.output_V});
    EXPECT_EQ(s.periods, c.periods);
    EXPECT_EQ(s.settled, c.settled) << c.periods << " periods, " << c.slope_V << " V/s";
  }
}

TEST(SettlingAtEnd, NotAtTheTurnOfASwing) {
  // 80 periods, the output 100 V + 0.01 V/s·|t − 70.15 s|: it turns at the
  // start of the last window, so the last two windows average about
  // 100.05 V both (within 0.02 %), while the one before them averages about
  // 100.15 V, 0.1 % away: the turn of a swing, not a settled output.
  Ramp r(80, 0);
  for (std::size_t i = 0; i < r.time_s.size(); ++i) {
    r.output_V[i] = 100 + 0.01 * std::abs(r.time_s[i] - 70.15);
  }
  const Settling s = SettlingAtEnd(r.time_s, r.gate, {&r.output_V});
  EXPECT_EQ(s.periods, 80);
  EXPECT_FALSE(s.settled);
}

// The switch turns on where the latch rises through 0.6, its on threshold;
// the latch may come to rest near one half after a turn-off. The gate is
// sampled at 0, 1, 2, ... s.
TEST(TurnOnTimes, ARiseThroughTheOnThreshold) {
  const struct {
    const char* what;
    std::vector<double> gate;
    std::vector<double> on_s;
  } cases[] = {
      {"on, off, on", {0, 1, 0, 1, 0}, {0.6, 2.6}},
      // The latch comes to rest at 0.51 after a turn-off: that is no
      // turn-on, the rise from 0.51 to 1 is one, at 4 + 0.09/0.49 s.
      {"resting above one half", {0, 1, 0.3, 0.51, 0.51, 1}, {0.6, 4.183673}},
      // Off at 0.45, on again at 2 + 0.15/0.55 s.
      {"off above the switch's VT - VH", {0, 1, 0.45, 1}, {0.6, 2.272727}},
      {"on from the start", {1, 0, 1}, {1.6}},
  };
  for (const auto& c : cases) {
    std::vector<double> time_s;
    for (std::size_t i = 0; i < c.gate.size(); ++i) time_s.push_back(static_cast<double>(i));
    const std::vector<double> on = TurnOnTimes(time_s, c.gate);
    ASSERT_EQ(on.size(), c.on_s.size()) << c.what;
    for (std::size_t k = 0; k < on.size(); ++k) EXPECT_NEAR(on[k], c.on_s[k], 1e-6) << c.what;
  }
}

}  // namespace
}  // namespace flyback
