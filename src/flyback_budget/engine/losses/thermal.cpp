#include "engine/losses/thermal.h"

#include <cmath>

#include "base/numbers/units.h"

namespace flyback {

namespace {

inline constexpr double kThermalResistanceAt1cm3_K_per_W = 53;
inline constexpr double kThermalResistanceVolumeExponent = -0.54;

}  // namespace

double TransformerThermalResistance(double Ve_mm3) {
  return kThermalResistanceAt1cm3_K_per_W *
         std::pow(Ve_mm3 * kCubicCentimetresPerCubicMillimetre, kThermalResistanceVolumeExponent);
}

double TransformerTemperatureRise(double P_transformer_W, double Ve_mm3) {
  return P_transformer_W * TransformerThermalResistance(Ve_mm3);
}

double Efficiency(double P_out_W, double P_losses_W) {
  return P_out_W / (P_out_W + P_losses_W);
}

}  // namespace flyback
