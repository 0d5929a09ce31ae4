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

// 20 µH of leakage at 2 A against 100 V reflected and the bus at 400 V, with
// the period T and the demagnetization time t_dis of each row.
// The listed snubber (30 kΩ, 33 nF, T 20 µs): e = exp(−20 µs/0.99 ms) =
// 0.980001; the ring alone 20e-6·4/33e-9 = 2424.24 V² would lift it to
// 149.24 V, from which it would not fall below U_refl, so (U − 100)² =
// (e·U − 100)² + 2424.24: U = 303.034 V, starting the next period at
// 296.974 V; ½·33 nF·(303.034² − 296.974²)/20 µs = 3.0000 W, as the familiar
// balance ½·L·I²·f·U/(U − U_refl) gives for a capacitor that holds its voltage.
// 1 nF and 4.7 kΩ ring to U = 100 + √80000 = 382.843 V and fall to U_refl in
// 4.7 µs·ln(3.82843) = 6.3095 µs. With t_dis 5 µs the drain has left U_bus +
// U_refl by then: e = exp(−20/4.7) = 0.014189, 5.432 V left, ½·1 nF·
// (382.843² − 5.432²)/20 µs = 3.6635 W. With t_dis 12 µs D holds it at 100 V
// for 5.6905 µs, R taking 100²/4.7 kΩ·5.6905 µs = 12.107 µJ, then it falls
// for 8 µs to 100·exp(−8/4.7) = 18.2295 V: (½·1 nF·(382.843² − 18.2295²) +
// 12.107 µJ)/20 µs = 4.2613 W.
// The pump's clamp held at 1.75·100 V (T 15 µs, t_dis 10 µs) reaches 100 V
// after 4.7 µs·ln 1.75 = 2.6302 µs, is held for 7.3698 µs (15.680 µJ) and
// falls for 5 µs to 34.5131 V: (½·1 nF·(175² − 34.5131²) + 15.680 µJ)/15 µs
// = 2.0265 W.
TEST(ClampAt, TheListedNetworkSettlesByItsEnergyBalance) {
  const ClampNetwork snubber{"RCD snubber", "D10", "C11", "R11", 30e3, 33, 2, 630, 600, 0, ""};
  const ClampNetwork small{"RC", "D", "C", "R", 4700, 1, 2, 1000, 600, 0, ""};
  const ClampNetwork held{"RC", "D", "C", "R", 4700, 1, 2, 1000, 600, 1.75, ""};
  const struct {
    const char* what;
    const ClampNetwork& network;
    double period_us, t_dis_us, U_clamp_V, U_start_V, P_W;
  } cases[] = {
      {"never down to U_refl", snubber, 20, 10, 303.0343, 296.9738, 3.0000},
      {"down to U_refl after t_dis", small, 20, 5, 382.8427, 5.4320, 3.6635},
      {"held at U_refl within t_dis", small, 20, 12, 382.8427, 18.2295, 4.2613},
      {"held by the pump, then at U_refl", held, 15, 10, 175, 34.5131, 2.0265},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SwitchingPoint s;
    s.U_bus_V = 400;
    s.I_pk_A = 2;
    s.period_us = c.period_us;
    s.t_off_us = c.t_dis_us;
    const ClampPoint p = ClampAt(c.network, 20, s, 100);
    EXPECT_NEAR(p.U_clamp_V, c.U_clamp_V, 1e-4);
    EXPECT_NEAR(p.U_start_V, c.U_start_V, 1e-4);
    EXPECT_NEAR(p.P_W, c.P_W, 1e-4);
    EXPECT_NEAR(p.drain_peak_V, 400 + c.U_clamp_V, 1e-4);
  }
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
