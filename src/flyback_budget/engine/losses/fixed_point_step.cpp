#include "engine/losses/fixed_point_step.h"

#include <cmath>

namespace flyback {

double NextFixedPointTrial(const FixedPointTrial& last,
                           const std::optional<FixedPointTrial>& before) {
  const double plain_W = last.P_in_W + last.residual_W;
  if (!before) return plain_W;
  // g′ − 1 along the secant; negative where g′ < 1.
  const double slope = (last.residual_W - before->residual_W) / (last.P_in_W - before->P_in_W);
  if (!(slope < 0 && std::isfinite(slope))) return plain_W;
  const double secant_W = last.P_in_W - last.residual_W / slope;
  return secant_W > 0 && std::isfinite(secant_W) ? secant_W : plain_W;
}

}  // namespace flyback
