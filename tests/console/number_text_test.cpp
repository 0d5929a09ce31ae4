#include "base/console/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "base/numbers/rounding.h"

namespace flyback {
namespace {

TEST(NumberRule, SignBlankAndTrailingBlank) {
  EXPECT_EQ(FormatNumber(89.4), " 89.4 ");
  EXPECT_EQ(FormatNumber(6), " 6 ");
  EXPECT_EQ(FormatNumber(1.25), " 1.25 ");
  EXPECT_EQ(FormatNumber(-3), "-3 ");
  EXPECT_EQ(FormatNumber(0), " 0 ");
  EXPECT_EQ(FormatNumber(-0.0), " 0 ");
}

TEST(NumberRule, LeadingZeroBelowOne) {
  EXPECT_EQ(FormatNumber(0.85), " 0.85 ");
  EXPECT_EQ(FormatNumber(-0.5), "-0.5 ");
  EXPECT_EQ(FormatNumber(0.000001), " 0.000001 ");
}

TEST(NumberRule, FifteenSignificantDigits) {
  EXPECT_EQ(FormatNumber(0.1 + 0.2), " 0.3 ");
  EXPECT_EQ(FormatNumber(1.0 / 3), " 0.333333333333333 ");
  EXPECT_EQ(FormatNumber(2.0 / 3), " 0.666666666666667 ");
  EXPECT_EQ(FormatNumber(123456789012345.0), " 123456789012345 ");
  EXPECT_EQ(FormatNumber(533.71), " 533.71 ");
}

TEST(NumberRule, ExponentFormOutsideThePlainRange) {
  EXPECT_EQ(FormatNumber(1.5e15), " 1.5E+15 ");
  EXPECT_EQ(FormatNumber(2e-11), " 2E-11 ");
  EXPECT_EQ(FormatNumber(1e-10), " 0.0000000001 ");
  EXPECT_EQ(FormatNumber(-1e30), "-1E+30 ");
  // 999999999999999.9 rounds to 16 digits' worth: the rounded value decides.
  EXPECT_EQ(FormatNumber(999999999999999.9), " 1E+15 ");
}

TEST(NumberRule, ValuesThatAreNotFinite) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity()), " overflow ");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN()), " overflow ");
}

TEST(NumberRule, AnyValueIsWrittenRoundedToFifteenDigits) {
  // The text reads back as the value rounded to 15 significant digits (what
  // "%.14e" gives), whatever the magnitude.
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_int_distribution<int> exponent(-14, 17);
  std::uniform_int_distribution<int> decimals(-1, 6);
  for (int i = 0; i < 40000; ++i) {
    double x = mantissa(random) * std::pow(10.0, exponent(random));
    // Half of them rounded to a few decimals, as most printed values are.
    const int k = decimals(random);
    if (i % 2 == 0 && k >= 0) x = std::nearbyint(x * std::pow(10.0, k)) / std::pow(10.0, k);
    if (x == 0) continue;
    std::array<char, 40> rounded{};
    std::snprintf(rounded.data(), rounded.size(), "%.14e", x);
    const std::string text = NumberText(x);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(rounded.data(), nullptr)) << text;
    int digits = 0;
    for (char c : text.substr(0, text.find('E'))) digits += (c >= '1' && c <= '9') ? 1 : 0;
    EXPECT_LE(digits, 15) << text;
  }
}

TEST(RoundTo, HalfToEven) {
  EXPECT_DOUBLE_EQ(RoundTo(89.41176, 1), 89.4);
  EXPECT_DOUBLE_EQ(RoundTo(0.25, 1), 0.2);
  EXPECT_DOUBLE_EQ(RoundTo(0.75, 1), 0.8);
  EXPECT_DOUBLE_EQ(RoundTo(1.25, 1), 1.2);
  EXPECT_DOUBLE_EQ(RoundTo(2.5, 0), 2);
  EXPECT_DOUBLE_EQ(RoundTo(3.5, 0), 4);
  EXPECT_DOUBLE_EQ(RoundTo(-2.5, 0), -2);
  EXPECT_DOUBLE_EQ(RoundTo(0.8869, 2), 0.89);
  EXPECT_DOUBLE_EQ(RoundTo(0.0707, 3), 0.071);
}

TEST(RoundTo, BeyondTheSixteenBitRangeRoundsAtFullWidth) {
  EXPECT_DOUBLE_EQ(RoundTo(3276.75, 1), 3276.8);
  EXPECT_DOUBLE_EQ(RoundTo(40000.5, 0), 40000);
  EXPECT_DOUBLE_EQ(RoundTo(-70000.5, 0), -70000);
  EXPECT_DOUBLE_EQ(RoundTo(123456.789, 2), 123456.79);
}

}  // namespace
}  // namespace flyback
