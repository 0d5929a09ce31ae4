#include "engine/transformer/optimization_rating.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace flyback {
namespace {

// The factor of an output with the window Umin .. Umax whose winding gives
// Uact at 1 V per turn and 1 V diode drop (n = Uact + 1).
double Rated(double Umin, double Umax, double Uact) {
  return RateOutput(1, {Umin, Umax, 0, 1}, Uact + 1, 1, 1);
}

// Three outputs: the first at Uact1, the others in their middles.
double ThreeOutputs(double Uact1) {
  DesignInputs in;
  TransformerDesign t;
  in.n_sec = 3;
  in.U_F_sec = 1;
  t.U_ts = 1;
  const double windows[3][3] = {{99, 101, Uact1}, {15, 17, 16}, {8, 10, 9}};
  for (int i = 1; i <= 3; ++i) {
    const double* w = windows[i - 1];
    in.output(i) = {w[0], w[1], 0, 1};
    t.n_out(i) = w[2] + 1;
  }
  return AccuracyProduct(in, t);
}

TEST(RateOutput, MiddleLimitAndOutside) {
  EXPECT_DOUBLE_EQ(Rated(99, 101, 100), 1);
  // On a limit d = 0.5: cos(q / 3), not penalized.
  EXPECT_NEAR(Rated(99, 101, 101), 0.8660254, 1e-7);
  EXPECT_NEAR(Rated(99, 101, 99), 0.8660254, 1e-7);
  // Half a window outside, d = 1: cos(q / 2) × 0.1, above and below alike.
  EXPECT_NEAR(Rated(99, 101, 102), 0.0707107, 1e-7);
  EXPECT_NEAR(Rated(99, 101, 98), 0.0707107, 1e-7);
}

TEST(RateOutput, ZeroWidthWindowCountsTheMiddleOrOneWidth) {
  EXPECT_DOUBLE_EQ(Rated(5, 5, 5), 1);
  EXPECT_NEAR(Rated(5, 5, 5.5), 0.0707107, 1e-7);
  EXPECT_NEAR(Rated(5, 5, 4), 0.0707107, 1e-7);
}

TEST(RateOutput, DeviationOfBillionsOfWidthsCountsAsZero) {
  // d = 1E11 takes 1.570796327 × d / (d + 1) just past the quarter turn.
  const double factor = Rated(0, 1E-9, 100);
  EXPECT_EQ(factor, 0);
  EXPECT_FALSE(std::signbit(factor));
}

TEST(AccuracyProduct, OneOutputOnALimitGives0965) {
  const double cf = (ThreeOutputs(101));
  EXPECT_NEAR(cf, 0.8660254, 1e-7);
  EXPECT_DOUBLE_EQ(DisplayedCfmax(cf), 0.965);
  EXPECT_EQ(AsteriskGraph(DisplayedCfmax(cf)), "**************");
}

TEST(AccuracyProduct, OneOutputHalfAWindowOutsideGives0516) {
  const double cf = (ThreeOutputs(102));
  EXPECT_DOUBLE_EQ(DisplayedCfmax(cf), 0.516);
  EXPECT_EQ(AsteriskGraph(DisplayedCfmax(cf)), "*****");
}

TEST(AccuracyProduct, AllInTheMiddleGivesOne) {
  EXPECT_DOUBLE_EQ((ThreeOutputs(100)), 1);
  EXPECT_DOUBLE_EQ(DisplayedCfmax(1), 1);
  EXPECT_DOUBLE_EQ(DisplayedCfmax(0), 0);
}

TEST(AsteriskGraph, ThresholdsAreStrict) {
  EXPECT_EQ(AsteriskGraph(0), "*");
  EXPECT_EQ(AsteriskGraph(0.2), "*");
  EXPECT_EQ(AsteriskGraph(0.201), "**");
  EXPECT_EQ(AsteriskGraph(0.3), "**");
  EXPECT_EQ(AsteriskGraph(0.5), "****");
  EXPECT_EQ(AsteriskGraph(0.8), "*******");
  EXPECT_EQ(AsteriskGraph(0.9), "********");
  EXPECT_EQ(AsteriskGraph(0.901), "*********");
  EXPECT_EQ(AsteriskGraph(0.91), "*********");
  EXPECT_EQ(AsteriskGraph(0.915), "*********");
  EXPECT_EQ(AsteriskGraph(0.92), "*********");
  EXPECT_EQ(AsteriskGraph(0.921), "**********");
  EXPECT_EQ(AsteriskGraph(0.99), "****************");
  EXPECT_EQ(AsteriskGraph(0.991), "*****************");
  EXPECT_EQ(AsteriskGraph(1), "*****************");
}

struct SweepRun {
  std::vector<SweepPoint> listed;
  bool ended = false;  // by a maximum above 1000 kHz
  SweepPoint best;
};

// Sweeps from a start Bmax of 300 mT down in 0.25 mT steps with the given
// ratings (and frequencies, 50 kHz where not given).
SweepRun Sweep(const std::vector<double>& ratings, const std::vector<double>& frequencies = {}) {
  OptimizationSweep sweep({0.42, 300, 23.7, 1.9});
  SweepRun run;
  for (std::size_t k = 0; k < ratings.size() && !run.ended; ++k) {
    const double f = k < frequencies.size() ? frequencies[k] : 50;
    const double Bmax = 300 - 0.25 * static_cast<double>(k);
    switch (sweep.Step({ratings[k], Bmax, f, 2})) {
      case OptimizationSweep::Outcome::kRowListed:
        run.listed.push_back(sweep.listed_row());
        EXPECT_EQ(sweep.rows_listed(), static_cast<int>(run.listed.size()));
        break;
      case OptimizationSweep::Outcome::kListEnds:
        run.ended = true;
        break;
      case OptimizationSweep::Outcome::kGoOn:
        break;
    }
  }
  run.best = sweep.best();
  return run;
}

TEST(OptimizationSweep, TheStartValueIsNeverListed) {
  const SweepRun run = Sweep({0.9, 0.8, 0.7, 0.6});
  EXPECT_TRUE(run.listed.empty());
}

TEST(OptimizationSweep, PeakIsListedWhenTheNextStepRatesLower) {
  const SweepRun run = Sweep({0.5, 0.6, 0.7, 0.65, 0.8, 0.4});
  ASSERT_EQ(run.listed.size(), 2U);
  EXPECT_DOUBLE_EQ(run.listed[0].Bmax, 299.5);
  EXPECT_DOUBLE_EQ(run.listed[0].cf_prod, 0.7);
  EXPECT_DOUBLE_EQ(run.listed[1].Bmax, 299);
  EXPECT_DOUBLE_EQ(run.best.Bmax, 299);
}

TEST(OptimizationSweep, PlateauListsItsLastStep) {
  const SweepRun run = Sweep({0.5, 0.7, 0.7, 0.7, 0.6});
  ASSERT_EQ(run.listed.size(), 1U);
  EXPECT_DOUBLE_EQ(run.listed[0].Bmax, 299.25);
}

TEST(OptimizationSweep, PlateauRightAtTheStartCountsAsRising) {
  // Equal to the start step sets the rising flag, so the plateau is listed.
  const SweepRun run = Sweep({0.7, 0.7, 0.6});
  ASSERT_EQ(run.listed.size(), 1U);
  EXPECT_DOUBLE_EQ(run.listed[0].Bmax, 299.75);
}

TEST(OptimizationSweep, TiesKeepTheEarlierRowBest) {
  const SweepRun run = Sweep({0.5, 0.8, 0.6, 0.8, 0.6});
  ASSERT_EQ(run.listed.size(), 2U);
  EXPECT_DOUBLE_EQ(run.best.Bmax, 299.75);
}

TEST(OptimizationSweep, MaximumAbove1000kHzEndsTheListUnlisted) {
  const SweepRun run =
      Sweep({0.5, 0.8, 0.6, 0.95, 0.7, 0.99, 0.1}, {50, 60, 70, 1000.5, 1100, 1200, 1300});
  EXPECT_TRUE(run.ended);
  ASSERT_EQ(run.listed.size(), 1U);
  EXPECT_DOUBLE_EQ(run.best.cf_prod, 0.8);
}

TEST(OptimizationSweep, MaximumAtExactly1000kHzIsStillListed) {
  const SweepRun run = Sweep({0.5, 0.8, 0.6}, {50, 1000, 1100});
  EXPECT_FALSE(run.ended);
  ASSERT_EQ(run.listed.size(), 1U);
}

TEST(OptimizationSweep, NoRowLeavesTheStartValuesWithCfmaxZero) {
  const SweepRun run = Sweep({0.9, 0.5}, {1, 2});
  EXPECT_TRUE(run.listed.empty());
  EXPECT_DOUBLE_EQ(run.best.cf_prod, 0);
  EXPECT_DOUBLE_EQ(DisplayedCfmax(run.best.cf_prod), 0);
  EXPECT_DOUBLE_EQ(run.best.Bmax, 300);
  EXPECT_DOUBLE_EQ(run.best.fsntmin, 23.7);
  EXPECT_DOUBLE_EQ(run.best.U_ts, 1.9);
}

TEST(OptimizationSweep, AbsoluteMaximumIsTheBestListedRow) {
  std::mt19937 random(20030415);
  std::uniform_int_distribution<int> level(1, 6);  // few levels: many ties and plateaus
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> ratings(40);
    for (double& r : ratings) r = level(random) / 6.0;
    const SweepRun run = Sweep(ratings);
    if (run.listed.empty()) {
      EXPECT_DOUBLE_EQ(run.best.cf_prod, 0);
      continue;
    }
    const SweepPoint* best = &run.listed.front();
    for (const SweepPoint& row : run.listed) {
      if (row.cf_prod > best->cf_prod) best = &row;
    }
    EXPECT_EQ(run.best.Bmax, best->Bmax) << "trial " << trial;
    EXPECT_EQ(run.best.cf_prod, best->cf_prod);
  }
}

}  // namespace
}  // namespace flyback
