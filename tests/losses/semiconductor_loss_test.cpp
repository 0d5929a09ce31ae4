// Switch, diode and clamp losses by hand, on the three-output demonstration
// design where it has the figures: 90 V minimum mains (bus 90·√2 =
// 127.279 V), n_prim 53.333, U_ts 1.9063 V, U_bus_max 420.02 V, drain limit
// 600 V, I_D_max 4.1941 A, I_in_avg 0.88690 A, fsntmin 23.749 kHz,
// L_prim 540.44 µH.

#include "engine/losses/semiconductor_loss.h"

#include <gtest/gtest.h>

#include <cmath>

namespace flyback {
namespace {

TEST(SemiconductorLoss, DrainVoltageAtTurnOn) {
  // U_refl = 53.333·1.9063 = 101.669 V.
  const double U_refl = ReflectedVoltage(53.333, 1.9063);
  EXPECT_NEAR(U_refl, 101.669, 1e-3);
  // Valley: 127.279 − 101.669 = 25.610 V; hard switching: the bus, 127.279 V.
  EXPECT_NEAR(DrainVoltageAtTurnOn(TurnOn::kValley, 127.279, U_refl), 25.610, 1e-3);
  EXPECT_EQ(DrainVoltageAtTurnOn(TurnOn::kHard, 127.279, U_refl), 127.279);
  // A reflected voltage above the bus lets the valley reach zero, not below.
  EXPECT_EQ(DrainVoltageAtTurnOn(TurnOn::kValley, 100, 150), 0.0);
}

TEST(SemiconductorLoss, DrainCapacitanceLoss) {
  // ½·100 pF·(400 V)²·100 kHz = 0.5·1e-10·1.6e5·1e5 = 0.8 W.
  EXPECT_NEAR(DrainCapacitanceLoss(100, 400, 100), 0.8, 1e-12);
}

TEST(SemiconductorLoss, DiodeConduction) {
  // Output 1 of the demonstration design: 1 V at 0.5 A = 0.5 W.
  EXPECT_NEAR(DiodeConductionLoss(1, 0.5), 0.5, 1e-12);
  // Bridge: 2·1 V·0.88690 A = 1.77380 W.
  EXPECT_NEAR(BridgeRectifierLoss(1, 0.88690), 1.77380, 1e-9);
}

TEST(SemiconductorLoss, RcdClamp) {
  // Default clamp voltage 600 − 420.02 = 179.98 V.
  const double U_cl = DefaultClampVoltage(600, 420.02);
  EXPECT_NEAR(U_cl, 179.98, 1e-9);
  // Leakage 1 % of L_prim, 5.4 µH: ½·5.4e-6·4.1941² = 4.74943e-5 J;
  // ·23 749 Hz = 1.127942 W; ·179.98/(179.98 − 101.669) = ·2.29827: 2.5923 W.
  EXPECT_NEAR(ClampLoss(5.4, 4.1941, 23.749, U_cl, 101.669), 2.5923, 1e-4);
  // A clamp voltage not above the reflected voltage never resets the leakage.
  EXPECT_TRUE(std::isinf(ClampLoss(5.4, 4.1941, 23.749, 100, 101.669)));
  EXPECT_TRUE(std::isinf(ClampLoss(5.4, 4.1941, 23.749, 101.669, 101.669)));
}

}  // namespace
}  // namespace flyback
