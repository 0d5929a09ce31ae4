#include "base/numbers/rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace flyback {

double RoundTo(double x, int decimals) {
  static constexpr std::array<double, 4> kScale = {1, 10, 100, 1000};
  const double scale = kScale.at(static_cast<std::size_t>(decimals));
  // nearbyint rounds half-to-even in the default rounding mode.
  return std::nearbyint(x * scale) / scale;
}

int CountAsInt(double count) {
  constexpr double kMost = std::numeric_limits<int>::max();
  constexpr double kLeast = std::numeric_limits<int>::min();
  if (std::isnan(count)) return 0;
  return static_cast<int>(std::clamp(count, kLeast, kMost));
}

}  // namespace flyback
