// The stage's switching at an operating point, the clamp of the component
// list and the leakage of the winding, each against a hand calculation.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/losses/clamp_network.h"
#include "engine/losses/leakage_estimate.h"
#include "engine/losses/switching_point.h"

namespace flyback {
namespace {

// L_prim 500 µH, U_refl 100 V, k_T 1, 100 mT per A, 0.01 A per W of input.
SwitchingStage Stage(bool fixed_frequency) {
  return {500, 100, 1, fixed_frequency, 50, 100, 0.01};
}

TEST(SwitchingAt, EachModeStoresItsInputPowerPerPeriod) {
  const struct {
    bool fixed;
    double U_bus_V, P_in_W;
    SwitchingMode mode;
    double I_pk_A, I_start_A, t_on_us, t_off_us, period_us;
  } cases[] = {
      // Free running at 200 V, 50 W: I = 2·50·(1/200 + 1/100) = 1.5 A,
      // t_on = 500·1.5/200 = 3.75 µs, t_off = 7.5 µs.
      {false, 200, 50, SwitchingMode::kBoundary, 1.5, 0, 3.75, 7.5, 11.25},
      // 50 kHz at 200 V, 50 W: I = √(2·50·20/500) = 2 A, 5 + 10 µs of 20 µs.
      {true, 200, 50, SwitchingMode::kDiscontinuous, 2, 0, 5, 10, 20},
      // 50 kHz at 100 V, 100 W: 2.828 A would need 28.3 µs. Continuous: D =
      // 100/200, mid current 100/(100·0.5) = 2 A, ripple 100·0.5·20/500 = 2 A.
      {true, 100, 100, SwitchingMode::kContinuous, 3, 1, 10, 10, 20},
  };
  for (const auto& c : cases) {
    const SwitchingPoint p = SwitchingAt(Stage(c.fixed), c.U_bus_V, c.P_in_W);
    SCOPED_TRACE(std::string(SwitchingModeName(c.mode)));
    EXPECT_EQ(p.mode, c.mode);
    EXPECT_NEAR(p.I_pk_A, c.I_pk_A, 1e-12);
    EXPECT_NEAR(p.I_start_A, c.I_start_A, 1e-12);
    EXPECT_NEAR(p.t_on_us, c.t_on_us, 1e-12);
    EXPECT_NEAR(p.t_off_us, c.t_off_us, 1e-12);
    EXPECT_NEAR(p.period_us, c.period_us, 1e-12);
    EXPECT_NEAR(p.B_max_mT, 100 * c.I_pk_A, 1e-9);
    EXPECT_NEAR(p.I_in_avg_A, 0.01 * c.P_in_W, 1e-12);
  }
}

// The snubber of the list (30 kΩ, 33 nF) with 20 µH of leakage at 2 A every
// 20 µs against 100 V reflected: e = exp(−20 µs/0.99 ms) = 0.980001; the
// ring alone 20e-6·4/33e-9 = 2424.24 V² would lift it to 149.24 V, from
// which it would not fall below U_refl, so (U − 100)² = (e·U − 100)² +
// 2424.24: U = 303.034 V, starting the next period at 296.974 V; ½·33 nF·
// (303.034² − 296.974²)/20 µs = 3.0000 W, as the familiar balance
// ½·L·I²·f·U/(U − U_refl) gives for a capacitor that holds its voltage.
// 1 nF and 4.7 kΩ discharge almost fully (e = 0.014189): U = 100 + √80000 =
// 382.843 V, 5.432 V left, ½·1 nF·(382.843² − 5.432²)/20 µs = 3.6635 W.
TEST(ClampAt, TheListedNetworkSettlesByItsEnergyBalance) {
  ClampNetwork snubber{"RCD snubber", "D10", "C11", "R11", 30e3, 33, 2, 630, 600, 0, ""};
  ClampPoint p = ClampAt(snubber, 20, 2, 20, 100, 400);
  EXPECT_NEAR(p.U_clamp_V, 303.0343, 1e-4);
  EXPECT_NEAR(p.U_start_V, 296.9738, 1e-4);
  EXPECT_NEAR(p.P_W, 3.0000, 1e-4);
  EXPECT_NEAR(p.drain_peak_V, 703.0343, 1e-4);
  const ClampNetwork small{"RC", "D", "C", "R", 4700, 1, 2, 1000, 600, 0, ""};
  p = ClampAt(small, 20, 2, 20, 100, 400);
  EXPECT_NEAR(p.U_clamp_V, 382.8427, 1e-4);
  EXPECT_NEAR(p.U_start_V, 5.4320, 1e-4);
  EXPECT_NEAR(p.P_W, 3.6635, 1e-4);
}

// The three-output demonstration's winding on the ETD 39/20/13 geometry
// (mean turn 68.5 mm, width 26.2 mm): primary 53 turns in 2 layers of
// 0.5863 mm wire (pitch 0.64495 mm), outputs of 0.13, 0.26 and 0.26 mm² in
// one layer each (pitches 0.44752, 0.63291, 0.63291 mm, two tapes between):
// b_p = 1.28991 mm, b_s = 1.81332 mm, field 0.15 + 3.10323/3 = 1.18441 mm;
// μ0·53²·0.0685 m·1.18441/26.2 = 10.9308 µH, on its sectioned bobbin ·2.25 =
// 24.5944 µH.
TEST(EstimatedLeakage, TheDemonstrationWinding) {
  LeakageWinding w;
  w.primary_turns = 53;
  w.primary = {2, 1.1 * 2 * std::sqrt(0.27 / 3.1416)};
  w.secondaries = {{1, 1.1 * 2 * std::sqrt(0.13 / 3.1416)},
                   {1, 1.1 * 2 * std::sqrt(0.26 / 3.1416)},
                   {1, 1.1 * 2 * std::sqrt(0.26 / 3.1416)}};
  w.mean_turn_length_mm = 68.5;
  w.winding_width_mm = 26.2;
  EXPECT_NEAR(EstimatedLeakage(w), 10.9308, 1e-4);
  w.sectioned_bobbin = true;
  EXPECT_NEAR(EstimatedLeakage(w), 24.5944, 1e-4);
}

}  // namespace
}  // namespace flyback
