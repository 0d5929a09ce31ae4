// The loss budget of the three-output demonstration design (80 W, SMT 31/190
// with the estimated ETD 39/20/13 geometry and N87), every term against a
// hand calculation from the design's figures:
//   I_D_max = 4.194108 A, t_on = 17.808491 µs, t_off = 22.293919 µs,
//   T = 1000 / fsntmin = 42.107530 µs (fsntmin 23.748721 kHz), Bmax 340 mT,
//   L_prim = 540.436914 µH, U_refl = n_prim·U_ts = 53.332962·1.906349 =
//   101.671263 V, U_bus_max = 420.021428 V, U_D_lim = 600 V.

#include "engine/losses/loss_budget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState DemoWithComponents() {
  return CalculatedWithComponents(ThreeOutputDemo());
}

TEST(LossBudget, ThreeOutputDemonstrationAtTheLowestInputVoltage) {
  const DesignState s = DemoWithComponents();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  ASSERT_TRUE(budget.core.core);
  EXPECT_TRUE(budget.core.core->estimated);
  EXPECT_EQ(budget.core.core->geometry.shape, "ETD 39/20/13");
  const OperatingPointLosses& p = budget.lowest_input;

  // Core: N87 up to 100 kHz (k 1907, α 1.359, β 2.626), ct(100 °C) =
  // 7.15e-7·100² − 1.48e-4·100 + 9.81e-3 = 2.16e-3; ∫|cos θ|^1.359 =
  // 2√π·Γ(1.1795)/Γ(1.6795) = 3.619179; ki = 1907/((2π)^0.359·2^1.267·3.619179)
  // = 1907/(1.934401·2.406606·3.619179) = 113.185;
  // Pv = ct·ki·0.34^1.267/T·[(0.34/t_on)^1.359·t_on + (0.34/t_off)^1.359·t_off]
  //    = 2.16e-3·113.185·0.254908·(11.7032 + 10.7964)/42.10753e-6
  //    = 33300 W/m³; × 11500 mm³ = 0.3829 W.
  EXPECT_NEAR(*p.core_density_W_per_m3, 33300, 1);
  EXPECT_NEAR(*p.core_W, 0.3829, 1e-4);

  // Copper at 100 °C: ρ = 1.724e-8·(1 + 0.00393·80) = 2.26603e-8 Ω·m, mean
  // turn 68.5 mm. Primary 53 turns of 0.27 mm² (d = 0.5863 mm, 40 a layer on
  // 26.2 mm: 2 layers): R = 0.30470 Ω; with Dowell (Δ1 = 0.9487 at 23.75 kHz)
  // over 50 harmonics of the ramp 0 → 4.194 A in t_on: 1.5544 W (its plain
  // rms² loss would be 0.7556 W). Outputs (1 layer each): 53 turns of
  // 0.13 mm², 0.63283 Ω, 0.4291 W; 9 turns of 0.26 mm², 0.053731 Ω, 0.1603 W;
  // 5 turns of 0.26 mm², 0.029851 Ω, 0.0890 W (peak 2·Imax·T/t_off).
  ASSERT_EQ(p.windings.size(), 4u);
  const double R_dc[] = {0.30470, 0.63283, 0.053731, 0.029851};
  const double P_W[] = {1.5544, 0.4291, 0.1603, 0.0890};
  const int layers[] = {2, 1, 1, 1};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(p.windings[i].R_dc_ohm, R_dc[i], 5e-5 * R_dc[i]) << i;
    EXPECT_NEAR(p.windings[i].P_W, P_W[i], 1e-4) << i;
    EXPECT_EQ(p.windings[i].layers, layers[i]) << i;
  }

  // MOSFET: the result screen's 7.3 W; turn-on in the valley at
  // √2·90 − 101.67 = 25.61 V: ½·150 pF·25.61²·23.75 kHz = 1.168 mW.
  EXPECT_DOUBLE_EQ(p.mosfet_conduction_W, 7.3);
  EXPECT_NEAR(p.mosfet_turn_on_W, 1.168e-3, 1e-6);
  // Diodes: 1 V · (0.5 + 1 + 1) A; IC supply 0.7 V · 10 mA; bridge 2 · 1 V ·
  // 0.886905 A.
  ASSERT_EQ(p.output_diodes.size(), 3u);
  EXPECT_DOUBLE_EQ(p.output_diodes[0].P_W + p.output_diodes[1].P_W + p.output_diodes[2].P_W, 2.5);
  EXPECT_NEAR(p.ic_diode_W, 0.007, 1e-12);
  EXPECT_NEAR(p.bridge_W, 1.77381, 1e-5);
  // Clamp: L_lk = 2 % of 540.44 µH = 10.809 µH, U_cl = 600 − 420.02 =
  // 179.98 V: ½·10.809 µH·4.1941²·23.749 kHz·179.98/(179.98 − 101.67) = 5.1890 W.
  EXPECT_NEAR(p.clamp_W, 5.1890, 1e-4);

  // Totals: 0.3829 + 2.2329 + 7.3 + 0.0012 + 2.5 + 0.007 + 1.7738 + 5.1890 =
  // 19.3867 W; η = 76/95.3867 = 79.68 %; the transformer's 2.6158 W on
  // R_th = 53·11.5^−0.54 = 14.174 K/W: 37.08 K.
  EXPECT_NEAR(p.total_W, 19.3867, 2e-4);
  EXPECT_NEAR(p.efficiency, 0.7968, 1e-4);
  EXPECT_NEAR(*p.transformer_rise_K, 37.08, 0.01);
}

// The four-output demonstration design (200 W: 156.2 W out, SMT 4/192, N87),
// whose figures are:
//   I_D_max = 10.332707 A, t_on = 12.330922 µs, t_off = 20.943107 µs,
//   T = 1000 / fsntmin = 34.937731 µs (fsntmin 28.622351 kHz), Bmax 310 mT,
//   L_prim = 151.893414 µH, U_refl = n_prim·U_ts = 28.126705·2.664361 =
//   74.939699 V, U_bus_max = 420.021428 V, U_D_lim = 600 V, I_in_avg =
//   1.823413 A, MOSFET QMP07N60X5 (0.6 Ω).
// SMT 4/192 has only AL and Ae = 180 mm²: it borrows E 42/21/15 (178 mm²,
// ln(180/178) = 0.0112 against 0.0382 for ER 42/22/15 and 0.0397 for
// ETD 44/22/15), V_e 17300 mm³, bobbin width 27.3 mm, mean turn 85.6 mm.
// Every figure below rests on that estimated geometry.
TEST(LossBudget, FourOutputDemonstrationAtTheLowestInputVoltage) {
  const LossBudget budget = ComputeLossBudget(CalculatedWithComponents(FourOutputDemo()), nullptr);
  ASSERT_TRUE(budget.core.core);
  EXPECT_TRUE(budget.core.core->estimated);
  EXPECT_EQ(budget.core.core->geometry.shape, "E 42/21/15");
  EXPECT_EQ(budget.core.core->geometry.V_e_mm3, 17300);
  const OperatingPointLosses& p = budget.lowest_input;

  // Core: N87 up to 100 kHz at 28.62 kHz, ct(100 °C) = 2.16e-3 and ki =
  // 113.185 as for the three outputs;
  // Pv = ct·ki·0.31^1.267/T·[(0.31/t_on)^1.359·t_on + (0.31/t_off)^1.359·t_off]
  //    = 34142 W/m³; × 17300 mm³ = 0.5907 W.
  EXPECT_NEAR(*p.core_density_W_per_m3, 34142, 1);
  EXPECT_NEAR(*p.core_W, 0.5907, 1e-4);

  // Primary: I_rms = 10.3327·√(12.3309/(3·33.2740)) = 3.63 A, 0.91 mm² at
  // 4 A/mm² (d = 1.0764 mm, pitch 1.1840 mm: 23 a layer on 27.3 mm, 28 turns
  // in 2 layers); R = 2.26603e-8 Ω·m·28·85.6 mm/0.91 mm² = 0.059684 Ω.
  // δ = 0.44782 mm at 28.62 kHz, Δ1 = (π/4)^0.75·(1.0764/0.44782)·√(1/1.1) =
  // 1.9120; over 50 harmonics of the ramp 0 → 10.333 A in t_on: 4.4918 W,
  // six times its plain rms² loss of 0.7497 W.
  ASSERT_EQ(p.windings.size(), 5u);
  EXPECT_EQ(p.windings[0].layers, 2);
  EXPECT_NEAR(p.windings[0].R_dc_ohm, 0.059684, 5e-5 * 0.059684);
  EXPECT_NEAR(p.windings[0].P_W, 4.4918, 1e-4);

  // MOSFET: the result screen's 15.8 W (2·0.6 Ω·10.3327²·12.3309/(3·33.2740) =
  // 15.83 W); the valley at √2·90 − 74.94 = 52.34 V: ½·150 pF·52.34²·28.62 kHz
  // = 5.881 mW.
  EXPECT_DOUBLE_EQ(p.mosfet_conduction_W, 15.8);
  EXPECT_NEAR(p.mosfet_turn_on_W, 5.881e-3, 1e-6);
  // Bridge: 2 · 1 V · 1.823413 A.
  EXPECT_NEAR(p.bridge_W, 3.64683, 1e-5);
  // Clamp: L_lk = 2 % of 151.893 µH = 3.0379 µH, U_cl = 600 − 420.02 =
  // 179.98 V: ½·3.0379 µH·10.3327²·28.622 kHz·179.98/(179.98 − 74.94) =
  // 7.9532 W.
  EXPECT_NEAR(p.clamp_W, 7.9532, 1e-4);

  // Outputs: 51, 12, 6 and 3 turns of 0.28, 0.45, 0.19 and 0.45 mm² in 2, 1,
  // 1 and 1 layers, peaks 2·Imax·T/t_off: 0.8668 + 0.2284 + 0.0388 + 0.0571 W,
  // the copper 5.6829 W with the primary. Totals: 0.5907 + 5.6829 +
  // 15.8 + 0.0059 + 3.65 (diodes, 1 V·3.65 A) + 0.007 + 3.6468 + 7.9532 =
  // 37.3365 W; η = 156.2/193.5365 = 80.71 %; the transformer's 6.2736 W on
  // R_th = 53·17.3^−0.54 = 11.369 K/W: 71.33 K.
  EXPECT_NEAR(p.total_W, 37.3365, 2e-4);
  EXPECT_NEAR(p.efficiency, 0.8071, 1e-4);
  EXPECT_NEAR(*p.transformer_W, 6.2736, 1e-4);
  EXPECT_NEAR(*p.transformer_rise_K, 71.33, 0.01);
}

TEST(LossBudget, HighestInputVoltageRunsInBoundaryOperationAtTheCrest) {
  const LossBudget budget = ComputeLossBudget(DemoWithComponents(), nullptr);
  const SwitchingPoint& p = budget.highest_input.switching;
  // I_pk = 2·89.4 W·1.05·(1/420.021 + 1/101.671) = 2.2935 A; t_on =
  // 540.437·2.2935/420.021 = 2.9510 µs; t_off = 540.437·2.2935/101.671 =
  // 12.1913 µs; T = 1.05·15.1423 = 15.8994 µs; B = 340·2.2935/4.1941 = 185.93 mT.
  EXPECT_NEAR(p.I_pk_A, 2.2935, 1e-4);
  EXPECT_NEAR(p.t_on_us, 2.9510, 1e-4);
  EXPECT_NEAR(p.t_off_us, 12.1913, 1e-4);
  EXPECT_NEAR(p.period_us, 15.8994, 1e-4);
  EXPECT_NEAR(p.B_max_mT, 185.93, 0.01);
  // The valley lies at 420.02 − 101.67 = 318.35 V: ½·150 pF·318.35²·62.90 kHz
  // = 0.4781 W.
  EXPECT_NEAR(budget.highest_input.mosfet_turn_on_W, 0.4781, 1e-4);
}

TEST(LossBudget, AWindingSizedAtNoCopperIsWoundOfTheLeastTheTableStates) {
  DesignState demo = ThreeOutputDemo();
  demo.inputs.output(3).Imax = 0.01;  // A, an auxiliary output of 10 mA
  const LossBudget budget = ComputeLossBudget(CalculatedWithComponents(std::move(demo)), nullptr);
  // The winding table sizes it at 2·0.01 A·√(42.1075/(3·22.2939)) = 0.02 A,
  // 0.02/6 = 0.00 mm²; the budget winds it of 0.01 mm² (d = 0.11284 mm, one
  // layer): R = 2.26603e-8 Ω·m·5·68.5 mm/0.01 mm² = 0.77611 Ω. Its ramp from
  // 2·0.01 A·42.1075/22.2939 = 0.037775 A at Δ1 = 0.1826 loses 0.1946 mW.
  const WindingLossTerm& winding = budget.lowest_input.windings.at(3);
  EXPECT_NEAR(winding.R_dc_ohm, 0.77611, 5e-5 * 0.77611);
  EXPECT_NEAR(winding.P_W, 1.946e-4, 1e-7);
  EXPECT_TRUE(std::isfinite(budget.lowest_input.total_W));
  EXPECT_TRUE(std::isfinite(budget.highest_input.total_W));
}

TEST(LossBudget, WithoutGeometryTheTransformerLossesAreNotEstimated) {
  DesignState s = DemoWithComponents();
  s.inputs.tr_type = "3";
  s.inputs.Ae = 5000;  // mm², far beyond every standard shape
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  EXPECT_FALSE(budget.core.core);
  EXPECT_FALSE(budget.core.reason.empty());
  EXPECT_FALSE(budget.lowest_input.core_W);
  EXPECT_FALSE(budget.lowest_input.transformer_rise_K);
  EXPECT_TRUE(budget.lowest_input.windings.empty());
  // The rest of the budget still stands: 19.3867 W without the transformer's
  // 0.3829 W + 2.2329 W.
  EXPECT_NEAR(budget.lowest_input.total_W, 16.7710, 2e-4);
}

}  // namespace
}  // namespace flyback
