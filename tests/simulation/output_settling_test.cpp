// The rule that ends a run once its outputs have settled: two windows of
// ten switching periods, each output's later average less than 0.02 % of
// the earlier one away from it.

#include "engine/simulation/output_settling.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

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

// `periods` + 1 turn-ons of a switch of period 1 s, at k + 0.125 s (the
// command rises from 0 at k s to 1 at k + 0.25 s), sampled every 0.25 s,
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

}  // namespace
}  // namespace flyback
