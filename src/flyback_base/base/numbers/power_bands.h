#pragma once

// A quantity given piecewise over bands of a power: in each band
// per_W · P + per_ln · ln P + constant, the band being the first whose upper
// end is not below P. Efficiency rules write their limits in this shape.

#include <cmath>
#include <limits>
#include <span>

namespace flyback {

struct PowerBand {
  double up_to_W = std::numeric_limits<double>::infinity();  // upper end, included
  double per_W = 0;                                          // 1/W, factor of P
  double per_ln = 0;                                         // factor of ln(P/W)
  double constant = 0;
};

// The value of `bands` (upper ends ascending, the last one infinite) at P_W.
inline double ValueInBands(std::span<const PowerBand> bands, double P_W) {
  for (const PowerBand& band : bands) {
    if (P_W > band.up_to_W) continue;
    const double logarithm = band.per_ln == 0 ? 0 : band.per_ln * std::log(P_W);
    return band.per_W * P_W + logarithm + band.constant;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace flyback
