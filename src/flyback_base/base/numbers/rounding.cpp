#include "base/numbers/rounding.h"

#include <array>
#include <cmath>

namespace flyback {

double RoundTo(double x, int decimals) {
  static constexpr std::array<double, 4> kScale = {1, 10, 100, 1000};
  const double scale = kScale.at(static_cast<std::size_t>(decimals));
  // nearbyint rounds half-to-even in the default rounding mode.
  return std::nearbyint(x * scale) / scale;
}

}  // namespace flyback
