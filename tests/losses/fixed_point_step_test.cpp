// The step rule of the search for the input power P = g(P), g(P) = P_out +
// losses(P), each case worked by hand.

#include "engine/losses/fixed_point_step.h"

#include <gtest/gtest.h>

#include <optional>

namespace flyback {
namespace {

TEST(NextFixedPointTrial, SecantWhereTheResidualFallsElsePlainStep) {
  const struct {
    const char* why;
    std::optional<FixedPointTrial> before;
    FixedPointTrial last;
    double next_W;
  } cases[] = {
      {"the first step is the plain one: 100 W − 5 W", std::nullopt, {100, -5}, 95},
      // g(P) = 20 W + 0.2·P: g(30) = 26, g(26) = 25.2. The secant of a
      // straight g lands on its fixed point, 20/(1 − 0.2) = 25 W.
      {"secant on a straight g", FixedPointTrial{30, -4}, {26, -0.8}, 25},
      // The residual grows along P (g′ = 1.2): no fixed point ahead, climb
      // by the plain step 110 + 12 as plain iteration would.
      {"losses outgrowing the power", FixedPointTrial{100, 10}, {110, 12}, 122},
      {"the same power twice", FixedPointTrial{50, -1}, {50, -1}, 49},
      // g(2) = 1, g(1) = 0.1: the secant's zero, 1 − 0.9/0.1 = −8 W, is no
      // power; the plain step gives g(1) = 0.1 W.
      {"a secant to a negative power", FixedPointTrial{2, -1}, {1, -0.9}, 0.1},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(NextFixedPointTrial(c.last, c.before), c.next_W, 1e-12) << c.why;
  }
}

}  // namespace
}  // namespace flyback
