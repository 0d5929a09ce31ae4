// Transformer temperature rise and efficiency by hand.

#include "engine/losses/thermal.h"

#include <gtest/gtest.h>

namespace flyback {
namespace {

TEST(Thermal, TransformerTemperatureRise) {
  // Ve = 10 000 mm³ = 10 cm³: R_th = 53·10^−0.54 = 53·0.288403 = 15.2854 K/W;
  // 2 W make 30.571 K.
  EXPECT_NEAR(TransformerThermalResistance(10000), 15.2854, 1e-4);
  EXPECT_NEAR(TransformerTemperatureRise(2, 10000), 30.571, 1e-3);
  // 1 cm³: the coefficient itself.
  EXPECT_NEAR(TransformerThermalResistance(1000), 53, 1e-12);
}

TEST(Thermal, Efficiency) {
  // 76 W out with 13.4 W of losses: 76/89.4 = 0.850112.
  EXPECT_NEAR(Efficiency(76, 13.4), 0.850112, 1e-6);
}

}  // namespace
}  // namespace flyback
