// The loop of the 80 W demonstration regulated through the opto-coupler at
// 100 V, one corner worked by hand from the textbook formulas (lowest input
// at the bus valley 100.8 V, full load):
//   Budget's valley point: P_in 91.299272 W, L_prim 540.436914 µH, U_refl
//   101.671263 V, k_T 1.05: I_pk = 2·P_in·k_T·(1/U_bus + 1/U_refl) =
//   3.787837 A, T = k_T·L·I_pk·(1/U_bus + 1/U_refl), f_sw 23548.86 Hz.
//   Output 1 at 100 V, 76 W of all outputs: R = 131.5789 Ω. Capacitors of
//   the list 100, 1000 and 2200 µF at 100, 16 and 8.5 V: C = 100 +
//   1000·0.16² + 2200·0.085² = 141.4950 µF. Output 1's 100 µF rated 125 V
//   takes the 160 V row of the series' table, tan δ 0.15 at 120 Hz: ESR at
//   100 kHz ½·0.15/(2π·120 Hz·100 µF) = 0.994718 Ω, its zero at 1600 Hz.
//   k_i = I_D_max/(3·1 V) = 4.194108/3 A/V; G0 = k_i·100/(2·I_pk) = 18.45428;
//   load pole 1/(2π·(R/2·C + ESR·100 µF)) = 1/(2π·(9308.88 + 99.47) µs) =
//   16.91634 Hz (2/(2π·R·C) = 17.09711 Hz without the ESR).
//   Crossover a tenth of 23548.86 Hz: 2354.886 Hz; the stage there −12.5462 dB
//   and −33.7821°: boost 60 + 33.7821 − 90 = 3.7821°, k = tan(46.8911°) =
//   1.06829, the zero at f_c/k, the pole at f_c·k.
//   R_LED,max = (100 − 1.1 − 2.5)/(4.7 V/(20 kΩ·0.38) + 1 mA) = 59.5642 kΩ,
//   56 kΩ below it; C_pole = 1/(2π·2354.89·1.06829·20 kΩ) − 1.4 nF =
//   1.76324 nF; at CTR √(0.38·1.25) the gain wants R_z = 3569.15 kΩ,
//   C_z = 19.0545 pF; E24: 3.6 MΩ, 20 pF, 1.8 nF (values chosen with an
//   ideal regulator).
// The corners' loops take the TL431's own gain (TL431/D device model):
// G_M = 0.3 + 2.7·exp(−1 mA/26 mA) = 2.898128 S, A_0 = G_M·1 MΩ·1.25 µS·
// R_LED (3622.66 into 1 kΩ, 202869 into 56 kΩ), its pole at
// 1/(2π·1 MΩ·20 pF) = 7957.75 Hz; the cathode gives Z_f/R_up/(1 + NG/A),
// NG = 1 + Z_f/(R_up·2.5 V/100 V).
//   With the rounded parts (the proposal): crossover 1480.63 Hz, 48.312° at
//   CTR 0.38; 3872.95 Hz, 72.253° at CTR 1.25 (an ideal regulator: 1484.62
//   Hz, 48.150°; 3887.09 Hz, 72.298°).
// The design's own parts, the component list's: R_LED = R61 1 kΩ, R_z = R63
// 39 kΩ with C_z = C61 15 nF, C_p = C62 56 pF across them, R_up = R65
// 220 kΩ, C_pole = C28 1.5 nF (QRM1X305) with the 20 kΩ pull-up and 1.4 nF
// of the opto. G_c = CTR·20/1·(1 + Z_f/220 kΩ)/(1 + s·20 kΩ·2.9 nF),
// Z_f = (39 kΩ + 1/(s·15 nF)) ∥ 1/(s·56 pF), times the stage above (an
// independent script, complex arithmetic):
//   at 1 kHz the loop is 9.8063 dB at CTR 0.38 and 20.1488 dB at 1.25,
//   −79.4981° at both; at CTR 0.38 it crosses at 4300.87 Hz with 101.305°,
//   below a fifth of 23548.86 Hz (4709.77 Hz); at CTR 1.25 not within the
//   sweep, which ends at half the switching frequency.

#include "engine/loop/loop_design.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/losses/loss_budget.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

class OptoDemoLoop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const DesignState s = OptoRegulatedDemo();
    loop_ = new LoopDesign(ComputeLoopDesign(s, ComputeLossBudget(s, nullptr)));
  }
  static void TearDownTestSuite() {
    delete loop_;
    loop_ = nullptr;
  }
  static const LoopDesign* loop_;
};
const LoopDesign* OptoDemoLoop::loop_ = nullptr;

TEST_F(OptoDemoLoop, PowerStageAtLowestInputFullLoadAsByHand) {
  const LoopCorner& c = loop_->corners[4];  // lowest input, full load, CTR min
  ASSERT_EQ(c.line, "lowest input");
  ASSERT_EQ(c.load_share, 1);
  ASSERT_EQ(c.CTR, 0.38);
  EXPECT_NEAR(loop_->output.C_total_uF, 141.4950, 1e-4);
  EXPECT_NEAR(loop_->output.ESR_ohm, 0.994718, 1e-6);
  EXPECT_NEAR(c.switching.I_pk_A, 3.787837, 1e-5);
  EXPECT_NEAR(c.plant.f_sw_Hz, 23548.86, 0.05);
  EXPECT_NEAR(c.plant.R_load_ohm, 131.5789, 1e-4);
  EXPECT_NEAR(c.plant.G0, 18.45428, 1e-4);
  EXPECT_NEAR(c.plant.f_load_pole_Hz, 16.91634, 1e-4);
  EXPECT_NEAR(c.plant.f_esr_zero_Hz, 1600, 1e-6);
  const GainPhase h = PowerStageResponse(c.plant, loop_->compensator.crossover_Hz);
  EXPECT_NEAR(h.gain_dB, -12.5462, 1e-3);
  EXPECT_NEAR(h.phase_deg, -33.7821, 1e-3);
}

TEST_F(OptoDemoLoop, CompensatorAsByHand) {
  const CompensatorDesign& d = loop_->compensator;
  EXPECT_NEAR(d.crossover_Hz, 2354.886, 0.01);
  EXPECT_NEAR(d.boost_deg, 3.7821, 1e-3);
  EXPECT_NEAR(d.k, 1.06829, 1e-5);
  EXPECT_NEAR(d.R_LED_max_kOhm, 59.5642, 1e-4);
  EXPECT_EQ(d.exact.R_up_kOhm, 220);
  EXPECT_EQ(d.exact.R_LED_kOhm, 56);
  EXPECT_NEAR(d.exact.C_pole_nF, 1.76324, 1e-4);
  EXPECT_NEAR(d.exact.R_z_kOhm, 3569.15, 0.1);
  EXPECT_NEAR(d.exact.C_z_nF, 0.0190545, 1e-6);
  EXPECT_DOUBLE_EQ(d.rounded.R_z_kOhm, 3600);
  EXPECT_DOUBLE_EQ(d.rounded.C_z_nF, 0.02);
  EXPECT_DOUBLE_EQ(d.rounded.C_pole_nF, 1.8);
}

TEST_F(OptoDemoLoop, MarginsOfTheRoundedPartsAsByHand) {
  ASSERT_EQ(loop_->proposed_corners.size(), 12U);
  const LoopMargins& low_ctr = loop_->proposed_corners[4].margins;
  const LoopMargins& high_ctr = loop_->proposed_corners[5].margins;
  EXPECT_NEAR(*low_ctr.crossover_Hz, 1480.63, 0.05);
  EXPECT_NEAR(*low_ctr.phase_margin_deg, 48.312, 1e-2);
  EXPECT_NEAR(*high_ctr.crossover_Hz, 3872.95, 0.05);
  EXPECT_NEAR(*high_ctr.phase_margin_deg, 72.253, 1e-2);
  EXPECT_NEAR(loop_->f_high_Hz, 23548.86 / 2, 0.05);
}

TEST_F(OptoDemoLoop, TheCornersUseTheListedParts) {
  const OptoCompensator& p = loop_->parts;
  EXPECT_EQ(p.R_up_kOhm, 220);
  EXPECT_EQ(p.R_LED_kOhm, 1);
  EXPECT_EQ(p.R_z_kOhm, 39);
  EXPECT_EQ(p.C_z_nF, 15);
  EXPECT_DOUBLE_EQ(p.C_p_nF, 0.056);
  EXPECT_EQ(p.C_pole_nF, 1.5);
}

TEST_F(OptoDemoLoop, LoopOfTheListedPartsAsByHand) {
  struct Case {
    std::size_t corner;
    double gain_1kHz_dB;
  };
  for (const Case& k : {Case{4, 9.8063}, Case{5, 20.1488}}) {
    const LoopCorner& c = loop_->corners[k.corner];
    const GainPhase t =
        PowerStageResponse(c.plant, 1000) +
        CompensatorResponse(loop_->parts, c.CTR, loop_->assumptions, DividerRatio(*loop_), 1000);
    EXPECT_NEAR(t.gain_dB, k.gain_1kHz_dB, 1e-3) << "CTR " << c.CTR;
    EXPECT_NEAR(t.phase_deg, -79.4981, 1e-3) << "CTR " << c.CTR;
  }
  const LoopCorner& low_ctr = loop_->corners[4];
  EXPECT_NEAR(*low_ctr.margins.crossover_Hz, 4300.87, 0.5);
  EXPECT_NEAR(*low_ctr.margins.phase_margin_deg, 101.305, 1e-2);
  EXPECT_TRUE(low_ctr.warnings.empty());
  const LoopCorner& high_ctr = loop_->corners[5];
  EXPECT_FALSE(high_ctr.margins.crossover_Hz);
  EXPECT_EQ(high_ctr.warnings, std::vector<LoopWarning>{LoopWarning::kNoCrossover});
}

// Each reason for leaving the loop out fires on its own fault of the
// opto-regulated demonstration, and none on the demonstration itself. The
// last: R60 = R65·U_ref/(U − U_ref) has no positive value for an output at
// the reference of 2.5 V.
TEST(LoopNotModelled, EachReasonFiresOnItsOwnFault) {
  const struct {
    const char* fault;
    void (*make)(DesignState&);
    std::string_view reason_start;
  } cases[] = {
      {"none", [](DesignState&) {}, ""},
      {"regulated through the IC supply", [](DesignState& s) { s.inputs.opto_reg = false; },
       "regulated through the IC-supply winding"},
      {"no divider", [](DesignState& s) { s.components.R65 = 0; },
       "the opto-coupler's divider is not dimensioned"},
      {"no turns", [](DesignState& s) { s.transformer.n_prim = 0; },
       "the transformer has no turns"},
      {"regulated at the reference", [](DesignState& s) { s.inputs.U_opto = 2.5; },
       "output 1 does not lie above the shunt regulator's reference"},
  };
  for (const auto& c : cases) {
    DesignState s = OptoRegulatedDemo();
    c.make(s);
    const std::string_view reason = LoopNotModelledReason(s);
    EXPECT_EQ(reason.substr(0, c.reason_start.size()), c.reason_start) << c.fault;
    EXPECT_EQ(reason.empty(), c.reason_start.empty()) << c.fault;
  }
}

}  // namespace
}  // namespace flyback
