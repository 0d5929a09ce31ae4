#include "engine/components/dimensioning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/components/ic_network.h"
#include "engine/components/selection_rules.h"
#include "engine/inputs/mains.h"
#include "state/design/design_state.h"

namespace flyback {
namespace {

// A finished design on the universal mains range with the PWX control IC,
// free running, without opto regulation.
DesignState PwxDesign() {
  DesignState s;
  ApplyStartValues(s);
  s.inputs.P_in_max = 89.4;
  s.inputs.PFC = true;
  s.inputs.ic_type = ControlIc::kPwx;
  s.inputs.opto_reg = false;
  s.inputs.k_ripple = 0.8;
  s.inputs.k_U = 1.1;
  s.inputs.U_mains_min = 90;
  s.inputs.U_mains_max = 270;
  s.inputs.AL = 190;
  s.transformer.I_in_avg = 0.8869;
  s.transformer.I_mains_max = s.inputs.P_in_max / s.inputs.U_mains_min;
  s.transformer.I_D_max = 4.1941;
  s.transformer.I_D_max_fix = s.transformer.I_D_max;
  s.inputs.U_D_lim = 600;
  s.transformer.L_prim = 800;
  s.transformer.n_prim = 53.333;
  s.transformer.U_ts = 1.9063;
  s.transformer.t_on = 17.808;
  s.transformer.nic = 9;
  return s;
}

DesignState QrmDesign() {
  DesignState s = PwxDesign();
  s.inputs.ic_type = ControlIc::kQrm;
  s.transformer.L_prim = 540.44;
  return s;
}

TEST(DimensionComponents, PwxNetworkWorkedValues) {
  DesignState s = PwxDesign();
  s.inputs.fixed_freq = true;
  s.inputs.f_fix_min = 50;
  s.transformer.t_on_fix = 10;
  s.components = dimension_components(s);
  EXPECT_EQ(s.components.R22, 1000);
  EXPECT_EQ(s.components.R23, 3900);
  // 3900 / (sqrt 2 x 90 V x 0.65) = 47.14
  EXPECT_DOUBLE_EQ(s.components.R24, 47);
  EXPECT_EQ(s.components.R38, 15);
  // L_prim 800 µH with 220 pF: T_res 2.636 µs; C30 = round_down_e12(1.757)
  EXPECT_DOUBLE_EQ(s.components.C30, 1.5);
  EXPECT_DOUBLE_EQ(s.components.R30, 68);
  // f_fix_min 50 kHz: round_down_e12(160)
  EXPECT_EQ(s.components.R31, 100);
  EXPECT_DOUBLE_EQ(s.components.C31, 150);
  // Fixed frequency: C22 from t_on_fix: 1000 x sqrt 2 x 90 x 10 / 3500 = 363.7 pF.
  EXPECT_DOUBLE_EQ(s.components.C22, 330);
}

TEST(DimensionComponents, PwxOnTimeCapacitorFreeRunning) {
  DesignState s = PwxDesign();
  s.components = dimension_components(s);
  // 1000 x sqrt 2 x 90 x 17.808 / 3500 = 647.6 pF
  EXPECT_DOUBLE_EQ(s.components.C22, 560);
}

TEST(DimensionComponents, SupplyDividerWithoutOpto) {
  // U_ic_act = 12.3 V (10 turns at 1.3 V - 0.7 V), R38 = 15 kOhm.
  EXPECT_DOUBLE_EQ(R29_raw(15, 12.3 + 0.7, 5), 9.375);
  DesignState s = PwxDesign();
  s.transformer.nic = 10;
  s.transformer.U_ts = 1.3;
  s.components = dimension_components(s);
  EXPECT_DOUBLE_EQ(s.components.P10, 5);    // round_pot(3.125)
  EXPECT_DOUBLE_EQ(s.components.R29, 8.2);  // round_e24(7.875)
}

TEST(DimensionComponents, SupplyDividerWithOpto) {
  DesignState s = PwxDesign();
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 135;
  s.transformer.nic = 10;
  s.transformer.U_ts = 1.3;
  s.components.P10 = 123;
  s.components = dimension_components(s);
  // 4.25 x 15 / (13 - 4.25) = 7.286
  EXPECT_DOUBLE_EQ(s.components.R29, 7.5);
  EXPECT_EQ(s.components.P10, 123);  // not dimensioned with opto regulation
}

TEST(DimensionComponents, OptoDividerWorkedValues) {
  DesignState s = PwxDesign();
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 135;
  s.components = dimension_components(s);
  EXPECT_DOUBLE_EQ(s.components.U1rmin, 108);
  EXPECT_DOUBLE_EQ(s.components.U1rmax, 148.5);
  EXPECT_EQ(s.components.P60, 2);
  EXPECT_EQ(s.components.U_ref, 2.5);
  EXPECT_DOUBLE_EQ(s.components.R60, 5.1);  // round_e24(5.21)
  EXPECT_DOUBLE_EQ(s.components.R65, 300);  // round_e24(297.8)
}

TEST(DimensionComponents, QrmNetworkOfTheDemonstrationDesign) {
  DesignState s = QrmDesign();
  s.components = dimension_components(s);
  // sqrt 2 x 90 x 0.8 / 100 = 1.018 MOhm
  EXPECT_DOUBLE_EQ(s.components.R22, 1);
  // sqrt 2 x 90 x 17.808 / 3.5 = 647.6 pF
  EXPECT_DOUBLE_EQ(s.components.C22, 560);
  // sqrt 2 x 90 x 9 / 53.333 / 0.5 = 42.96 kOhm
  EXPECT_DOUBLE_EQ(s.components.R38, 43);
  // U_ic_act = 16.46 V: R29_raw = 5 x 43 / 12.16 = 17.68; P10 = round_pot(5.89);
  // R29 = round_e24(14.68)
  EXPECT_DOUBLE_EQ(s.components.P10, 10);
  EXPECT_DOUBLE_EQ(s.components.R29, 15);
  EXPECT_DOUBLE_EQ(s.components.C29, 33);  // round_down_e12(500 / 15)
  // QMP03N60X5 (C_iss 400 pF): 40000 / 400
  EXPECT_EQ(s.components.mosfet, "QMP03N60X5");
  EXPECT_DOUBLE_EQ(s.components.R35, 100);
}

TEST(DimensionComponents, MainsSidePartsOfTheDemonstrationDesign) {
  DesignState s = QrmDesign();
  s.inputs.filter = MainsFilter::kConventional;
  s.components = dimension_components(s);
  // 89.4 W at 90 V: 0.993 A.
  EXPECT_DOUBLE_EQ(s.components.I_ntc, 89.4 / 90);
  EXPECT_EQ(s.components.R11, 30);
  EXPECT_DOUBLE_EQ(s.components.I_fuse, 1.5 * 89.4 / 90);
  EXPECT_EQ(s.components.F01, 1.6);
  EXPECT_DOUBLE_EQ(s.components.I_filter, 89.4 / 90);
  EXPECT_EQ(s.components.mosfet, "QMP03N60X5");
  EXPECT_EQ(s.components.R_DSon, 1.4);
  // 540.44 µH in the 2 mH step, 0.99 A within its 1.2 A limit.
  EXPECT_EQ(s.components.L08, 2);
  EXPECT_EQ(s.components.I_L08, 1);
  // 125 x 89.4 / 90 = 124.2 µF; 420.0 V bus.
  EXPECT_EQ(s.components.C07, 150);
  EXPECT_NEAR(BusVoltageMax(s.inputs.U_mains_max, s.inputs.k_U), 420.02, 0.005);
  EXPECT_EQ(s.components.U_C07, 450);
}

TEST(DimensionComponents, FuseSteps) {
  DesignState s = PwxDesign();
  s.inputs.U_mains_min = 90;
  for (const auto& [P_in_max, F01] :
       {std::pair{120.0, 2.0}, std::pair{120.6, 3.15}, std::pair{1800.0, 25.0}}) {
    s.inputs.P_in_max = P_in_max;  // I_fuse 2.0 A, 2.01 A, 30 A
    s.components = dimension_components(s);
    EXPECT_EQ(s.components.F01, F01) << s.components.I_fuse;
  }
}

TEST(DimensionComponents, DcInput) {
  // 24 V to 36 V DC at 30 W.
  DesignState s = PwxDesign();
  s.inputs.dc_input = true;
  s.inputs.P_in_max = 30;
  s.inputs.U_mains_min = 24 / std::numbers::sqrt2;
  s.inputs.U_mains_max = 36 / std::numbers::sqrt2;
  s.components = dimension_components(s);
  // I_fuse = 1.5 x 30 / 24 = 1.875 A.
  EXPECT_NEAR(s.components.I_fuse, 1.875, 1E-12);
  EXPECT_EQ(s.components.F01, 2);
  // I_ntc = 30 / (24 / sqrt 2) = 1.25 x 1.414214 = 1.76777 A, not divided by sqrt 2.
  EXPECT_NEAR(s.components.I_ntc, 1.76777, 5e-6);
  EXPECT_EQ(select_ntc(s.components.I_ntc).part, "S236");
  // I_filter = 30 / 24 = 1.25 A.
  EXPECT_NEAR(s.components.I_filter, 1.25, 1E-12);
  EXPECT_EQ(select_filter_choke(s.components.I_filter).rating, "1.4 A");
  // C07_need = 125 x 1.77 = 221 µF, not divided by sqrt 2.
  EXPECT_EQ(s.components.C07, 330);
}

TEST(DimensionComponents, LowMainsStartAndUndervoltageResistors) {
  DesignState s = PwxDesign();
  s.inputs.U_mains_min = 20;
  s.components = dimension_components(s);
  EXPECT_EQ(s.components.R22, 100);
  EXPECT_EQ(s.components.R23, 3900);
  s.inputs.U_mains_min = 19.9;
  s.components = dimension_components(s);
  EXPECT_EQ(s.components.R22, 100);
  EXPECT_EQ(s.components.R23, 390);
}

TEST(DimensionComponents, GateResistorFromTheMosfetCapacitance) {
  DesignState s = PwxDesign();
  struct Case {
    double U_D_lim, I_D_max_fix, C_iss, R35;
  };
  for (const Case& c : {Case{400, 1, 0, 100}, Case{600, 10, 790, 51}, Case{600, 20, 2400, 16},
                        Case{1000, 1, 1950, 20}}) {
    s.inputs.U_D_lim = c.U_D_lim;
    s.transformer.I_D_max_fix = c.I_D_max_fix;
    s.components = dimension_components(s);
    EXPECT_EQ(s.components.C_iss, c.C_iss);
    EXPECT_DOUBLE_EQ(s.components.R35, c.R35) << c.C_iss;
  }
}

TEST(DimensionComponents, BulkCapacitorVoltage) {
  DesignState s = PwxDesign();
  s.inputs.U_mains_max = 270;
  s.inputs.k_U = 1;  // without PFC: 381.8 V
  s.components = dimension_components(s);
  EXPECT_NEAR(BusVoltageMax(s.inputs.U_mains_max, s.inputs.k_U), 381.8, 0.05);
  EXPECT_EQ(s.components.U_C07, 385);
  s.inputs.k_U = 1.1;  // with PFC: 420 V
  s.components = dimension_components(s);
  EXPECT_EQ(s.components.U_C07, 450);
}

TEST(DimensionComponents, HighPowerTimer) {
  DesignState s = PwxDesign();
  s.inputs.THP = true;
  s.inputs.P_perm = 50;
  s.inputs.t_THP = 1;
  s.transformer.U_ts = 2;
  s.components = dimension_components(s);
  EXPECT_EQ(s.components.R39, 51);
  // k_THP = 0.19 / 4 = 0.0475; 1000 x 50 x 0.0475 x 4.2 / 51 = 195.6 pF
  EXPECT_DOUBLE_EQ(s.components.C38, 150);
  EXPECT_EQ(s.components.R36, 1);
  EXPECT_DOUBLE_EQ(s.components.C36, 1);
}

TEST(DimensionComponents, WhatARunDoesNotDimensionKeepsItsValue) {
  DesignState s = PwxDesign();
  s.components.R39 = 1;
  s.components.C38 = 2;
  s.components.R36 = 3;
  s.components.C36 = 4;
  s.components.C29 = 5;
  s.components.R60 = 6;
  s.components.U1rmin = 7;
  s.components = dimension_components(s);  // no THP, no opto, PWX family
  EXPECT_EQ(s.components.R39, 1);
  EXPECT_EQ(s.components.C38, 2);
  EXPECT_EQ(s.components.R36, 3);
  EXPECT_EQ(s.components.C36, 4);
  EXPECT_EQ(s.components.C29, 5);
  EXPECT_EQ(s.components.R60, 6);
  EXPECT_EQ(s.components.U1rmin, 7);

  DesignState q = QrmDesign();
  q.components.R23 = 8;
  q.components.R24 = 9;
  q.components.C30 = 10;
  q.components.R31 = 11;
  q.components = dimension_components(q);
  EXPECT_EQ(q.components.R23, 8);
  EXPECT_EQ(q.components.R24, 9);
  EXPECT_EQ(q.components.C30, 10);
  EXPECT_EQ(q.components.R31, 11);
}

// Every number the component list could print.
void ExpectAllValuesFinite(const DesignState& s) {
  for (double value :
       {s.components.I_fuse, s.components.F01,    s.components.I_filter, s.components.C07,
        s.components.U_C07,  s.components.L08,    s.components.I_L08,    s.components.R22,
        s.components.C22,    s.components.R23,    s.components.R24,      s.components.R29,
        s.components.P10,    s.components.C29,    s.components.C30,      s.components.R30,
        s.components.R31,    s.components.C31,    s.components.R35,      s.components.R38,
        s.components.R39,    s.components.C38,    s.components.R36,      s.components.C36,
        s.components.U1rmin, s.components.U1rmax, s.components.P60,      s.components.R60,
        s.components.R65}) {
    EXPECT_TRUE(std::isfinite(value)) << value;
  }
}

TEST(DimensionComponents, SupplyAtTheRegulationThreshold) {
  // One turn at 5 V: U_ic_act = 4.3 V, U_sup = 5 V exactly.
  DesignState s = QrmDesign();
  s.transformer.nic = 1;
  s.transformer.U_ts = 5;
  s.components = dimension_components(s);
  EXPECT_DOUBLE_EQ(s.components.P10, 0.000002);
  EXPECT_DOUBLE_EQ(s.components.R29, 0.000001);
  ExpectAllValuesFinite(s);
  // With opto regulation the threshold is 4.25 V: one turn at 4.25 V gives
  // U_ic_act = 3.55 V.
  s.inputs.opto_reg = true;
  s.transformer.U_ts = 4.25;
  s.components = dimension_components(s);
  EXPECT_DOUBLE_EQ(s.components.R29, 0.000001);
  ExpectAllValuesFinite(s);
}

TEST(DimensionComponents, ZeroDenominatorsGiveNoNanOrInf) {
  DesignState s = PwxDesign();
  s.inputs.fixed_freq = true;
  s.inputs.f_fix_min = 0;
  s.inputs.THP = true;
  s.transformer.U_ts = 0;
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 0;
  s.components = dimension_components(s);
  ExpectAllValuesFinite(s);

  DesignState q = QrmDesign();
  q.transformer.n_prim = 0;
  q.transformer.nic = 0;
  q.components = dimension_components(q);
  ExpectAllValuesFinite(q);
}

}  // namespace
}  // namespace flyback
