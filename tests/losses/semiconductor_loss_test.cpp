// Switch and diode losses by hand, on the three-output demonstration
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

TEST(SemiconductorLoss, MosfetConductionAndTurnOff) {
  // A trapezoid from 1 A to 3 A in 10 µs of 20 µs: I_rms² = (9 + 3 + 1)·10/60 =
  // 2.16667 A²; hot, twice 1 Ω: 4.33333 W. From 0 (a triangle): 9·10/60·2 = 3 W.
  EXPECT_NEAR(MosfetConductionLoss(1, 3, 1, 10, 20), 4.333333, 1e-6);
  EXPECT_NEAR(MosfetConductionLoss(1, 3, 0, 10, 20), 3, 1e-12);
  // 2 A falling in 20 ns into 370 pF: 4·(2e-8)²/(24·3.7e-10) = 1.8018e-7 J,
  // below the unsnubbed ½·300 V·2 A·20 ns = 6e-6 J: at 50 kHz 9.009 mW.
  EXPECT_NEAR(TurnOffLoss(300, 2, 20, 370, 50), 9.009e-3, 1e-6);
  // Into 1 pF the capacitor would take 6.67e-5 J: the overlap's 6e-6 J
  // bounds it, 0.3 W.
  EXPECT_NEAR(TurnOffLoss(300, 2, 20, 1, 50), 0.3, 1e-12);
  // In continuous mode the drain stands at U_bus + U_refl when it turns on.
  EXPECT_EQ(DrainVoltageAtTurnOn(TurnOn::kConducting, 127.279, 101.669), 127.279 + 101.669);
}

}  // namespace
}  // namespace flyback
