// The loss budget of the demonstration designs at their three operating
// points, every term against a hand calculation from the design's figures.
// The three-output design (80 W, SMT 31/190 with the estimated ETD 39/20/13
// geometry and N87):
//   L_prim = 540.436914 µH, U_refl = n_prim·U_ts = 101.671263 V, k_T = 1.05,
//   Bmax 340 mT at I_D_max = 4.194108 A, U_bus_max = 420.021428 V,
//   P_out_max 76 W, P_in_max 89.4 W, U_mains 90 to 270 V, k_valley 1.12,
//   QMP03N60X5 (1.4 Ω), IC supply 16.46 V.
// At each point P_in = P_out + losses(P_in), started at P_in_max; in
// boundary operation I_pk = 2·P_in·k_T·(1/U_bus + 1/U_refl), t_on =
// L·I_pk/U_bus, t_off = L·I_pk/U_refl, T = k_T·(t_on + t_off); the core by
// iGSE (N87 up to 100 kHz: k 1907, α 1.359, β 2.626, ct(100 °C) 2.16e-3),
// the copper by Dowell over 50 harmonics (windings as the table sizes them:
// primary 53 turns of 0.27 mm² in 2 layers, 0.30470 Ω; outputs 53, 9 and 5
// turns, 0.63283, 0.053731 and 0.029851 Ω, secondary peaks 2·Imax·T/t_off),
// the MOSFET 2·1.4 Ω·I_pk²·t_on/(3·T), turn-on ½·370 pF·(U_bus − U_refl)²·f
// (C_oss 150 pF and C09 220 pF), turn-off min(I²·t_f²/(24·C), ½·U·I·t_f)·f
// with t_f = 20 ns, output diodes 2.5 W, IC diode 0.007 W, the IC
// 16.46 V·10 mA, the bridge 2·1 V·P_in/(U_mains·1.12). With PFC the charge
// pump holds the drain at U_bus + 1.75·U_refl (177.925 V above the bus) and
// R06 (4.7 kΩ) discharges C06 (1 nF), charged to that at each turn-off, to
// U_refl in t_d = 4.7 µs·ln 1.75 = 2.630 µs, well within t_off; D09 holds it
// there for the rest of t_off, then it falls for T − t_off:
// (½·1 nF·(177.925² − (U_refl·e^(−(T − t_off)/4.7 µs))²) +
// U_refl²/4.7 kΩ·(t_off − t_d))/T. The output capacitors of the list,
// 100 µF 150 V, 1000 µF 25 V, 2200 µF 16 V, have ESR = ½·tan δ/(2π·120 Hz·C)
// with tan δ 0.15, 0.14 and 0.16 + 0.02·1.2 (the series' next ratings 160,
// 25 and 16 V): 0.994718, 0.092840, 0.055463 Ω; each carries the
// rectifier's ramp, (2·I·T/t_off)²·t_off/(3·T) − I² = I²·(4·T/(3·t_off) − 1),
// T/t_off = k_T·(1 + U_refl/U_bus): Σ ESR·I² = 0.396983 W times 1.812102 at
// the valley.
// The search for P_in, worked through with these formulas: a plain step from
// 89.4 W, then secant steps, until |residual| ≤ 1e-9·P_in (last column: the
// residual over that bound). Plain iteration would take 11, 9 and 6 steps.
//   point    step  P_in (W)       residual (W)  over the bound
//   valley   1     89.4           +1.56         1.7e7
//            2     90.956784      +0.28         3.1e6
//            3     91.298564      +5.79e-4      6.3e3
//            4     91.299272      +2.16e-7      2.4
//            5     91.299272      +1.6e-13      1.7e-6 met
//   crest    1     89.4           −0.404        4.5e6
//            2     88.995785      −0.0541       6.1e5
//            3     88.933368      +1.91e-5      210
//            4     88.933390      −9.0e-10      0.01   met
//   highest  1     89.4           −3.98         4.4e7
//            2     85.423973      −0.0825       9.7e5
//            3     85.339689      +1.24e-4      1.5e3
//            4     85.339816      −4.0e-9       0.047  met

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

double Copper(const OperatingPointLosses& p) {
  double W = 0;
  for (const WindingLossTerm& w : p.windings) W += w.P_W;
  return W;
}

double Capacitors(const OperatingPointLosses& p) {
  double W = 0;
  for (const OutputCapacitorTerm& c : p.output_capacitors) W += c.P_W;
  return W;
}

// One operating point of a design worked out by hand.
struct HandFigures {
  const OperatingPointLosses* point;
  double U_bus_V, P_in_W;
  int steps;
  double I_pk_A, f_kHz, core_W, copper_W, conduction_W, turn_on_W, turn_off_W, bridge_W, U_clamp_V,
      clamp_W, capacitors_W, efficiency, rise_K;
};

// How closely the program must meet the hand figures where their inputs or
// their rounding leave room; every other term to 1e-6 W.
struct HandCloseness {
  double P_in_W, I_pk_A, copper_W, conduction_W, rise_K;
};

// Every term of the point against the hand figures of a design of
// L_prim_uH (µH) whose control IC draws controller_W (W), 76 W out.
void ExpectHandFigures(const HandFigures& e, const HandCloseness& tol, double L_prim_uH,
                       double controller_W) {
  const OperatingPointLosses& p = *e.point;
  const SwitchingPoint& s = p.switching;
  SCOPED_TRACE(p.name);
  EXPECT_EQ(s.mode, SwitchingMode::kBoundary);
  EXPECT_NEAR(s.U_bus_V, e.U_bus_V, 1e-6);
  EXPECT_NEAR(s.P_in_W, e.P_in_W, tol.P_in_W);
  EXPECT_EQ(s.fixed_point_steps, e.steps);
  EXPECT_NEAR(s.I_pk_A, e.I_pk_A, tol.I_pk_A);
  EXPECT_NEAR(1000 / s.period_us, e.f_kHz, 1e-5);
  // The point exists: ½·L·I_pk² per period is the input power.
  EXPECT_NEAR(0.5 * L_prim_uH * s.I_pk_A * s.I_pk_A / s.period_us, s.P_in_W, 1e-5);
  EXPECT_NEAR(*p.core_W, e.core_W, 1e-6);
  EXPECT_NEAR(Copper(p), e.copper_W, tol.copper_W);
  EXPECT_NEAR(p.mosfet_conduction_W, e.conduction_W, tol.conduction_W);
  EXPECT_NEAR(p.mosfet_turn_on_W, e.turn_on_W, 1e-6);
  EXPECT_NEAR(p.mosfet_turn_off_W, e.turn_off_W, 1e-6);
  EXPECT_NEAR(p.controller_W, controller_W, 1e-12);
  EXPECT_NEAR(p.bridge_W, e.bridge_W, 1e-6);
  EXPECT_NEAR(p.clamp.U_clamp_V, e.U_clamp_V, 1e-5);
  EXPECT_NEAR(p.clamp.P_W, e.clamp_W, 1e-6);
  EXPECT_NEAR(Capacitors(p), e.capacitors_W, 1e-6);
  EXPECT_NEAR(p.drain_peak_V, e.U_bus_V + e.U_clamp_V, 1e-5);
  EXPECT_NEAR(p.total_W, s.P_in_W - 76, 1e-6);
  EXPECT_NEAR(p.efficiency, e.efficiency, 1e-6);
  EXPECT_NEAR(*p.transformer_rise_K, e.rise_K, tol.rise_K);
}

TEST(LossBudget, ThreeOutputDemonstrationAtItsThreeOperatingPoints) {
  const LossBudget budget = ComputeLossBudget(DemoWithComponents(), nullptr);
  ASSERT_TRUE(budget.core.core);
  EXPECT_EQ(budget.core.core->geometry.shape, "ETD 39/20/13");
  EXPECT_EQ(budget.clamp.resistor, "R06");
  // The pump holds C06 at 1.75·U_refl = 177.924710 V above the bus.
  const HandFigures expected[] = {
      // U_bus = 90·1.12: the valley sits above U_refl, the valley switch at 0 V.
      {&budget.lowest_valley, 100.8, 91.299272, 5, 3.787837, 23.548855, 0.288818, 2.109245,
       6.404199, 0, 0.015219, 1.811493, 177.924710, 1.279325, 0.719373, 0.832427, 33.9907},
      {&budget.lowest_crest, 127.279221, 88.933390, 4, 3.304228, 30.144624, 0.283086, 1.816224,
       4.309671, 0.003657, 0.014825, 1.764551, 177.924710, 1.467026, 0.602750, 0.854572, 29.7561},
      {&budget.highest_input, 420.021428, 85.339816, 4, 2.189354, 65.887727, 0.311120, 1.146759,
       0.830354, 1.235340, 0.014226, 0.564417, 177.924710, 2.272676, 0.293326, 0.890557, 20.6643},
  };
  // The hand values take the windings' resistances to five digits: P_in to
  // 5e-5 W, I_pk as P_in (5e-5 W × I_pk/P_in), the copper and the MOSFET
  // with it.
  for (const HandFigures& e : expected) {
    ExpectHandFigures(e, {5e-5, 2e-6, 5e-5, 1e-5, 1e-3}, 540.436914, 0.1646);
  }
}

// The four-output demonstration design (200 W: 156.2 W out, SMT 4/192 with
// the estimated E 42/21/15: V_e 17300 mm³, mean turn 85.6 mm, N87):
//   L_prim = 151.893414 µH, U_refl = 74.939699 V, Bmax 310 mT at I_D_max =
//   10.332707 A, QMP07N60X5 (0.6 Ω), IC supply 15.29 V. Windings: 28, 51,
//   12, 6 and 3 turns of 0.91, 0.28, 0.45, 0.19 and 0.45 mm² in 2, 2, 1, 1
//   and 1 layers (R = ρ(100 °C)·N·MLT/A), outputs of 0.75, 1.2, 0.5, 1.2 A.
// At the bus valley 100.8 V, by the rules of the three-output design (C06
// charged to k_os·U_refl = 2.4·74.939699 V and held by D09 at U_refl for the
// rest of t_off; the list's capacitors 100 µF 220 V, 1000 µF 40 V,
// 1000 µF 25 V, 4700 µF 16 V: ESR 0.994718, 0.066315, 0.092840, 0.033016 Ω);
// the search: 183.8, 184.417445, 184.559587 and 184.559644 W, residuals
// +0.617, +0.116, +4.68e-5 and +3.6e-9 W (0.019 of the bound): 4 steps.
TEST(LossBudget, FourOutputDemonstrationAtTheBusValley) {
  const LossBudget budget = ComputeLossBudget(CalculatedWithComponents(FourOutputDemo()), nullptr);
  ASSERT_TRUE(budget.core.core);
  EXPECT_EQ(budget.core.core->geometry.shape, "E 42/21/15");
  const OperatingPointLosses& p = budget.lowest_valley;
  EXPECT_NEAR(p.switching.P_in_W, 184.559644, 1e-5);
  EXPECT_EQ(p.switching.fixed_point_steps, 4);
  EXPECT_NEAR(p.switching.I_pk_A, 9.016821, 1e-6);
  ASSERT_EQ(p.windings.size(), 5u);
  EXPECT_NEAR(p.windings[0].R_dc_ohm, 0.059684, 5e-5 * 0.059684);
  EXPECT_NEAR(*p.core_W, 0.433022, 1e-6);
  EXPECT_NEAR(Copper(p), 5.099405, 1e-5);
  EXPECT_NEAR(p.mosfet_conduction_W, 13.207470, 1e-5);
  EXPECT_NEAR(p.mosfet_turn_off_W, 0.109465, 1e-6);
  EXPECT_NEAR(p.bridge_W, 3.661898, 1e-6);
  EXPECT_NEAR(p.clamp.P_W, 0.989068, 1e-6);
  EXPECT_NEAR(Capacitors(p), 1.045718, 1e-6);
  EXPECT_NEAR(p.total_W, 28.359644, 1e-5);
  EXPECT_NEAR(p.efficiency, 0.846339, 1e-6);
  EXPECT_NEAR(*p.transformer_rise_K, 62.8994, 1e-3);
}

// The three-output design with PFC switched off (k_T = 1, k_U = 1): the
// calculation gives L_prim = 730.615981 µH, n_prim = 62.010864 (62 turns
// wound), U_ts = 1.985853 V, so U_refl = 123.144433 V; I_D_max = 3.607178 A
// at 340 mT, U_bus_max = √2·270 V = 381.837662 V, IC supply 15.19 V, R11
// 30 kOhm. Windings on the estimated ETD 39/20/13 (mean turn 68.5 mm,
// bobbin 26.2 mm): 62, 51, 9 and 5 turns of 0.24, 0.14, 0.27 and 0.27 mm²
// (d = 2·√(A/3.1416), as the wire table takes π), in 2, 1, 1 and 1 layers.
// The leakage of the sectioned bobbin, 2.25·μ0·62²·68.5 mm·(0.15 mm +
// (b_p + b_s)/3)/26.2 mm with b_p = 2·1.1·0.55279 mm and b_s the three
// secondaries' single layers and two 0.05 mm tapes, 1.854329 mm: 33.346029
// µH, 4.56 % of L_prim. The snubber C11 33 nF ∥ R11 30 kOhm (R·C = 990 µs)
// rings up to U = (U_refl + √(U_refl² + (1 + e)/(1 − e)·L_lk·I_pk²/C))/(1 + e)
// above the bus, e = exp(−T/(R·C)): at the valley e = 0.954833, U =
// 439.662667 V, R11 leaving 419.804531 V, ½·C·(U² − (e·U)²)/T = 6.154603 W.
// The drain peaks at 540.46, 559.20 and 799.84 V: at the highest input far past the 597 V the
// calculation puts it at with k_os = 1.75, as the list's 30 kOhm lets the
// leakage of a sectioned bobbin ring that high. Every other term as for the
// design with PFC, the bridge of the highest point at 270 V·1.12.
// The search for P_in from 89.4 W (plain iteration: 14, 12 and 8 steps):
//   point    step  P_in (W)       residual (W)  over the bound
//   valley   1     89.4           +5.29         5.9e7
//            2     94.688000      +1.17         1.2e7
//            3     96.196069      +7.74e-3      8e4
//            4     96.206084      +1.15e-5      120
//            5     96.206099      +1.1e-10      0.0012 met
//   crest    1     89.4           +3.28         3.7e7
//            2     92.678786      +0.588        6.3e6
//            3     93.394572      +1.51e-3      1.6e4
//            4     93.396417      +6.99e-7      7.5
//            5     93.396418      +8e-13        9e-6   met
//   highest  1     89.4           −0.920        1e7
//            2     88.480042      −0.0756       8.5e5
//            3     88.397699      +1.82e-5      210
//            4     88.397718      −3.6e-10      0.0041 met
TEST(LossBudget, ADesignWithoutPfcWithItsSnubber) {
  DesignState demo = ThreeOutputDemo();
  demo.inputs.PFC = false;
  demo.inputs.k_T = 1;
  demo.inputs.k_U = 1;
  const LossBudget budget = ComputeLossBudget(CalculatedWithComponents(std::move(demo)), nullptr);
  EXPECT_EQ(budget.clamp.resistor, "R11");
  EXPECT_EQ(budget.clamp.capacitor, "C11");
  EXPECT_EQ(budget.clamp.held_U_refl_factor, 0);
  ASSERT_TRUE(budget.leakage.estimated);
  EXPECT_NEAR(budget.leakage.L_lk_uH, 33.346029, 1e-6);
  const HandFigures expected[] = {
      // The valley lies below U_refl: the valley switch at 0 V.
      {&budget.lowest_valley, 100.8, 96.206099, 5, 3.471343, 21.854875, 0.303693, 2.204691,
       6.184526, 0, 0.011863, 1.908851, 439.662667, 6.154603, 0.778971, 0.789971, 35.5544},
      {&budget.lowest_crest, 127.279221, 93.396418, 5, 2.984443, 28.704138, 0.295086, 1.840512,
       4.087923, 9.0787e-5, 0.011516, 1.853104, 431.924691, 6.004842, 0.644443, 0.813736, 30.2704},
      {&budget.highest_input, 381.837662, 88.397718, 4, 1.898687, 67.123549, 0.307718, 1.143436,
       0.820507, 0.831030, 0.010900, 0.584641, 418.006975, 5.737554, 0.303033, 0.859751, 20.5690},
  };
  // The hand figures are rounded to six decimals (the rise to four); the two
  // searches stop within 1e-9·P_in of the same point, so P_in agrees to
  // 1e-6 W and every term to its last decimal; the snubber's voltage, steep
  // in L_lk and I_pk, to 1e-5 V.
  for (const HandFigures& e : expected) {
    ExpectHandFigures(e, {1e-6, 1e-6, 1e-6, 1e-6, 1e-4}, 730.615981, 0.1519);
  }
}

TEST(LossBudget, AWindingSizedAtNoCopperIsWoundOfTheLeastTheTableStates) {
  DesignState demo = ThreeOutputDemo();
  demo.inputs.output(3).Imax = 0.01;  // A, an auxiliary output of 10 mA
  const LossBudget budget = ComputeLossBudget(CalculatedWithComponents(std::move(demo)), nullptr);
  // The winding table sizes it at 0.00 mm²; the budget winds it of 0.01 mm²
  // (d = 0.11284 mm, one layer): R = 2.26603e-8 Ω·m·5·68.5 mm/0.01 mm² =
  // 0.77611 Ω. Its ramp falls from 2·0.01 A·T/t_off in t_off; so thin a wire
  // hardly knows the skin effect: its loss is R·I_rms² = R·I_pk²·t_off/(3·T)
  // within 1 % (50 harmonics hold all but about 0.5 % of the ramp's rms²).
  const OperatingPointLosses& p = budget.lowest_valley;
  const WindingLossTerm& winding = p.windings.at(3);
  EXPECT_NEAR(winding.R_dc_ohm, 0.77611, 5e-5 * 0.77611);
  const double T = p.switching.period_us;
  const double t_off = p.switching.t_off_us;
  const double I_pk = 2 * 0.01 * T / t_off;
  const double rms_loss_W = winding.R_dc_ohm * I_pk * I_pk * t_off / (3 * T);
  EXPECT_NEAR(winding.P_W, rms_loss_W, 0.01 * rms_loss_W);
  for (const OperatingPointLosses* point : budget.points()) {
    EXPECT_TRUE(std::isfinite(point->total_W)) << point->name;
  }
}

// A MOSFET of 10 Ω in the three-output design: at the bus valley its
// conduction alone is 6.404199 W·10/1.4·(P/91.299)² = 5.49e-3/W·P², and
// P = 79 W + 5.49e-3/W·P² has no root (4·5.49e-3·79 > 1): the losses
// outgrow the power. The residual grows along P, so the search climbs by
// plain steps, 89.4, 128.68, 177.48, 262.11, 471.84 W, and the fifth asks
// for 1335.45 W, past ten times the 76 W output.
TEST(LossBudget, LossesThatOutgrowThePowerHaveNoOperatingPoint) {
  DesignState demo = CalculatedWithComponents(ThreeOutputDemo());
  demo.components.R_DSon = 10;
  const LossBudget budget = ComputeLossBudget(demo, nullptr);
  const OperatingPointLosses& p = budget.lowest_valley;
  EXPECT_FALSE(p.switching.fixed_point_met);
  EXPECT_EQ(p.switching.fixed_point_steps, 5);
  // The hand values take the windings' resistances to five digits.
  EXPECT_NEAR(p.switching.P_in_W, 471.84, 0.01);
  EXPECT_GT(p.total_W, 9 * 76);
}

TEST(LossBudget, WithoutGeometryTheTransformerLossesAreNotEstimated) {
  DesignState s = DemoWithComponents();
  s.inputs.tr_kind = TransformerKind::kUserTransformer;
  s.inputs.Ae = 5000;  // mm², far beyond every standard shape
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  EXPECT_FALSE(budget.core.core);
  EXPECT_FALSE(budget.core.reason.empty());
  EXPECT_FALSE(budget.leakage.estimated);
  const OperatingPointLosses& p = budget.lowest_valley;
  EXPECT_FALSE(p.core_W);
  EXPECT_FALSE(p.transformer_rise_K);
  EXPECT_TRUE(p.windings.empty());
  // The rest of the budget still stands, at the point its smaller losses
  // give: P_in 88.4598 W, the MOSFET 6.0120 W, turn-off 0.01475 W, R06
  // 1.2869 W, the output capacitors 0.7194 W, losses 12.4598 W.
  EXPECT_NEAR(p.switching.P_in_W, 88.459836, 1e-5);
  EXPECT_NEAR(p.mosfet_conduction_W, 6.012048, 1e-5);
  EXPECT_NEAR(p.clamp.P_W, 1.286913, 1e-6);
  EXPECT_NEAR(Capacitors(p), 0.719373, 1e-6);
  EXPECT_NEAR(p.total_W, 12.459836, 1e-5);
}

}  // namespace
}  // namespace flyback
