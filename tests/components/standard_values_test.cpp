#include "engine/components/standard_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace flyback {
namespace {

// Examples of the standard-value rounding as the component list uses it.
TEST(RoundE24, NearestSeriesValue) {
  EXPECT_DOUBLE_EQ(round_e24(4.68), 4.7);
  EXPECT_DOUBLE_EQ(round_e24(5), 5.1);
  EXPECT_DOUBLE_EQ(round_e24(59), 62);
  EXPECT_DOUBLE_EQ(round_e24(58.9), 56);
  EXPECT_DOUBLE_EQ(round_e24(0.0047), 0.0047);
  EXPECT_DOUBLE_EQ(round_e24(1000), 1000);
}

TEST(RoundE24, AThresholdBelongsToTheUpperStep) {
  EXPECT_DOUBLE_EQ(round_e24(1.05), 1.1);
  EXPECT_DOUBLE_EQ(round_e24(9.55), 10);
}

TEST(RoundE24, SeriesValuesComeBackUnchanged) {
  EXPECT_EQ(round_e24(1.3), 1.3);
  EXPECT_EQ(round_e24(910), 910);
  EXPECT_EQ(round_e24(0.068), 0.068);
  EXPECT_EQ(round_e24(47000), 47000);
  EXPECT_EQ(round_e24(0.47), 0.47);
}

TEST(RoundE24, ZeroAndNegativeGiveTheGuardValue) {
  EXPECT_DOUBLE_EQ(round_e24(0), 0.000001);
  EXPECT_DOUBLE_EQ(round_e24(-3), 0.000001);
}

TEST(RoundPot, StepsTwoFiveTen) {
  EXPECT_DOUBLE_EQ(round_pot(1.5), 2);
  EXPECT_DOUBLE_EQ(round_pot(2.05), 2);
  EXPECT_DOUBLE_EQ(round_pot(2.1), 5);
  EXPECT_DOUBLE_EQ(round_pot(6), 10);
  // 1 scales to 10, which gives 20; 100 stays 100.
  EXPECT_DOUBLE_EQ(round_pot(1), 2);
  EXPECT_DOUBLE_EQ(round_pot(100), 100);
}

TEST(RoundPot, ZeroGivesTheGuardStep) {
  EXPECT_DOUBLE_EQ(round_pot(0), 0.000002);
}

TEST(RoundDownE12, LargestSeriesValueNotAbove) {
  EXPECT_DOUBLE_EQ(round_down_e12(160), 150);
  EXPECT_DOUBLE_EQ(round_down_e12(0.5), 0.47);
  // No 100 in the table: 99.9 stays in the decade and gives 82.
  EXPECT_DOUBLE_EQ(round_down_e12(99.9), 82);
  EXPECT_DOUBLE_EQ(round_down_e12(0), 1);
}

TEST(RoundDownE12, SeriesValuesComeBackUnchanged) {
  EXPECT_EQ(round_down_e12(3.9), 3.9);
  EXPECT_EQ(round_down_e12(2200), 2200);
  EXPECT_EQ(round_down_e12(0.056), 0.056);
}

TEST(StandardValueGuards, ValuesThatCannotBeScaledAreRoundedAsZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  for (double x : {kInf, -kInf, kNan, 1E-301, -1E-320, 5E-324}) {
    EXPECT_DOUBLE_EQ(round_e24(x), 0.000001) << x;
    EXPECT_DOUBLE_EQ(round_pot(x), 0.000002) << x;
    EXPECT_DOUBLE_EQ(round_down_e12(x), 1) << x;
  }
  EXPECT_DOUBLE_EQ(round_down_e12(-3), 1);
}

TEST(StandardValueGuards, ExtremeMagnitudesStillRound) {
  EXPECT_NEAR(round_e24(1E-300), 1E-300, 1E-315);
  EXPECT_NEAR(round_e24(1.7E300) / 1.8E300, 1, 1E-12);
  EXPECT_NEAR(round_down_e12(9.9E307) / 8.2E307, 1, 1E-12);
}

TEST(SeriesTables, ThresholdsAscendAndStartAtTen) {
  for (std::span<const SeriesStep> steps :
       {std::span<const SeriesStep>(kE24Steps), std::span<const SeriesStep>(kPotSteps),
        std::span<const SeriesStep>(kE12DownSteps)}) {
    EXPECT_EQ(steps.front().threshold, 10);
    for (std::size_t i = 1; i < steps.size(); ++i) {
      EXPECT_LT(steps[i - 1].threshold, steps[i].threshold);
      EXPECT_LT(steps[i - 1].mantissa, steps[i].mantissa);
      EXPECT_LE(steps[i].threshold, steps[i].mantissa);
    }
  }
}

// The mantissa of a positive value, scaled into 10 <= m < 100.
double Mantissa(double value) {
  const double m = value / std::pow(10.0, std::floor(std::log10(value)) - 1);
  return m >= 99.9999 ? m / 10 : m;
}

bool IsInSeries(double value, std::span<const SeriesStep> steps) {
  const double m = Mantissa(value);
  return std::any_of(steps.begin(), steps.end(), [m](const SeriesStep& step) {
    return std::fabs(step.mantissa - m) < 1E-9 ||
           (step.mantissa == 100 && std::fabs(m - 10) < 1E-9);
  });
}

TEST(StandardValueProperties, EveryResultIsASeriesMember) {
  // Values spread over twelve decades, including series values and thresholds.
  for (double x = 1.234E-6; x < 1E6;) {
    const double e24 = round_e24(x);
    const double pot = round_pot(x);
    const double e12 = round_down_e12(x);
    EXPECT_TRUE(IsInSeries(e24, kE24Steps)) << x << " -> " << e24;
    EXPECT_TRUE(IsInSeries(pot, kPotSteps)) << x << " -> " << pot;
    EXPECT_TRUE(IsInSeries(e12, kE12DownSteps)) << x << " -> " << e12;
    // The rounding stays within its decade's neighbourhood.
    EXPECT_LT(std::fabs(e24 / x - 1), 0.075) << x;
    EXPECT_GE(pot, x * 0.95) << x;
    EXPECT_LE(e12, x * (1 + 1E-12)) << x;
    x *= 1.0173;
  }
}

}  // namespace
}  // namespace flyback
