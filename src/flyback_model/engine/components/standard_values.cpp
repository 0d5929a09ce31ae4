#include "engine/components/standard_values.h"

#include <cmath>
#include <span>

namespace flyback {

namespace {

// Below this magnitude the decade factor would overflow to infinity and the
// scaling below would never end.
constexpr double kSmallestRoundable = 1E-300;

bool IsRoundable(double x) {
  return std::isfinite(x) && std::fabs(x) >= kSmallestRoundable;
}

// The procedure shared by all three series. The decade factor d is built only
// by repeated multiplication and division by 10, and the scaled value is
// recomputed as d * x at every comparison, so that a value already in the
// series (4.7, 0.068, 2200) lands exactly on its table row.
double RoundInSeries(double x, std::span<const SeriesStep> steps) {
  double d = 0.1;
  do {
    d *= 10;
  } while (d * x < 10);
  d *= 10;
  do {
    d /= 10;
  } while (d * x > 100);

  double mantissa = steps.front().mantissa;
  for (const SeriesStep& step : steps) {
    if (d * x >= step.threshold) mantissa = step.mantissa;
  }
  return mantissa / d;
}

// Guard of round_e24 and round_pot: whatever is not a positive roundable
// value is rounded as 0.000001.
double PositiveOrGuard(double x) {
  constexpr double kGuardValue = 0.000001;
  if (!IsRoundable(x) || x <= 0) return kGuardValue;
  return x;
}

}  // namespace

double round_e24(double x) {
  return RoundInSeries(PositiveOrGuard(x), kE24Steps);
}

double round_pot(double x) {
  return RoundInSeries(PositiveOrGuard(x), kPotSteps);
}

double round_down_e12(double x) {
  // Zero (and whatever cannot be rounded, negative values included) gives 1.
  if (!IsRoundable(x) || x < 0) x = 1;
  return RoundInSeries(x, kE12DownSteps);
}

}  // namespace flyback
