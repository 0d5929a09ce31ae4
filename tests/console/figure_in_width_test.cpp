// Figures in the fixed columns of the side tables: what fits stays as
// written; what does not becomes the exponent form that fits, "#"s where
// not even that does; a figure that is not finite is "n/a".

#include "base/console/figure_in_width.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace flyback {
namespace {

TEST(FigureInWidth, KeepsWhatFitsAndShortensWhatDoesNot) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  struct Case {
    double x;
    std::string text;
    std::size_t width;
    std::string expected;
  };
  const Case cases[] = {
      {84.92, "84.92", 6, "84.92"},
      {84.92, "84.92", 5, "84.92"},
      // 3.4e57 written in full has 62 characters.
      {3.4e57, std::string(62, '3'), 11, "3.4e+57"},
      {-4.25e69, std::string(73, '4'), 6, "-4e+69"},
      {123456.789, "123456.79", 8, "1.23e+05"},
      {123456.789, "123456.79", 4, "####"},
      {1e300, "", 7, "1e+300"},  // too long for the buffer that writes it in full
      {kInfinity, "inf", 6, "n/a"},
      {-kInfinity, "-inf", 6, "n/a"},
      {std::numeric_limits<double>::quiet_NaN(), "-nan", 6, "n/a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FigureInWidth(c.x, c.text, c.width), c.expected) << c.x << " in " << c.width;
  }
}

}  // namespace
}  // namespace flyback
