#include "components/dimensioning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "components/ic_network.h"
#include "design/design_state.h"

namespace flyback {
namespace {

// A finished design on the universal mains range with the PWX control IC,
// free running, without opto regulation.
DesignState PwxDesign() {
  DesignState s;
  ApplyStartValues(s);
  s.P_in_max = 89.4;
  s.PFC = "1";
  s.ic_type = 1;
  s.opto_reg = "0";
  s.k_U = 1.1;
  s.U_mains_min = 90;
  s.U_mains_max = 270;
  s.AL = 190;
  s.I_in_avg = 0.8869;
  s.I_mains_max = s.P_in_max / s.U_mains_min;
  s.I_D_max = 4.1941;
  s.I_D_max_fix = s.I_D_max;
  s.U_D_lim = 600;
  s.L_prim = 800;
  s.n_prim = 53.333;
  s.U_ts = 1.9063;
  s.t_on = 17.808;
  s.nic = 9;
  return s;
}

DesignState QrmDesign() {
  DesignState s = PwxDesign();
  s.ic_type = 2;
  s.L_prim = 540.44;
  return s;
}

TEST(DimensionComponents, PwxNetworkWorkedValues) {
  DesignState s = PwxDesign();
  s.fixed_freq = "1";
  s.f_fix_min = 50;
  s.t_on_fix = 10;
  dimension_components(s);
  EXPECT_EQ(s.R22, 1000);
  EXPECT_EQ(s.R23, 3900);
  // 3900 / (sqrt 2 x 90 V x 0.65) = 47.14
  EXPECT_DOUBLE_EQ(s.R24, 47);
  EXPECT_EQ(s.R38, 15);
  // L_prim 800 µH with 220 pF: T_res 2.636 µs; C30 = round_down_e12(1.757)
  EXPECT_DOUBLE_EQ(s.C30, 1.5);
  EXPECT_DOUBLE_EQ(s.R30, 68);
  // f_fix_min 50 kHz: round_down_e12(160)
  EXPECT_EQ(s.R31, 100);
  EXPECT_DOUBLE_EQ(s.C31, 150);
  // Fixed frequency: C22 from t_on_fix: 1000 x sqrt 2 x 90 x 10 / 3500 = 363.7 pF.
  EXPECT_DOUBLE_EQ(s.C22, 330);
}

TEST(DimensionComponents, PwxOnTimeCapacitorFreeRunning) {
  DesignState s = PwxDesign();
  dimension_components(s);
  // 1000 x sqrt 2 x 90 x 17.808 / 3500 = 647.6 pF
  EXPECT_DOUBLE_EQ(s.C22, 560);
}

TEST(DimensionComponents, SupplyDividerWithoutOpto) {
  // U_ic_act = 12.3 V (10 turns at 1.3 V - 0.7 V), R38 = 15 kOhm.
  EXPECT_DOUBLE_EQ(R29_raw(15, 12.3 + 0.7, 5), 9.375);
  DesignState s = PwxDesign();
  s.nic = 10;
  s.U_ts = 1.3;
  dimension_components(s);
  EXPECT_DOUBLE_EQ(s.P10, 5);    // round_pot(3.125)
  EXPECT_DOUBLE_EQ(s.R29, 8.2);  // round_e24(7.875)
}

TEST(DimensionComponents, SupplyDividerWithOpto) {
  DesignState s = PwxDesign();
  s.opto_reg = "1";
  s.U_opto = 135;
  s.nic = 10;
  s.U_ts = 1.3;
  s.P10 = 123;
  dimension_components(s);
  // 4.25 x 15 / (13 - 4.25) = 7.286
  EXPECT_DOUBLE_EQ(s.R29, 7.5);
  EXPECT_EQ(s.P10, 123);  // not dimensioned with opto regulation
}

TEST(DimensionComponents, OptoDividerWorkedValues) {
  DesignState s = PwxDesign();
  s.opto_reg = "1";
  s.U_opto = 135;
  dimension_components(s);
  EXPECT_DOUBLE_EQ(s.U1rmin, 108);
  EXPECT_DOUBLE_EQ(s.U1rmax, 148.5);
  EXPECT_EQ(s.P60, 2);
  EXPECT_EQ(s.U_ref, 2.5);
  EXPECT_DOUBLE_EQ(s.R60, 5.1);  // round_e24(5.21)
  EXPECT_DOUBLE_EQ(s.R65, 300);  // round_e24(297.8)
}

TEST(DimensionComponents, QrmNetworkOfTheDemonstrationDesign) {
  DesignState s = QrmDesign();
  dimension_components(s);
  // sqrt 2 x 90 x 0.8 / 100 = 1.018 MOhm
  EXPECT_DOUBLE_EQ(s.R22, 1);
  // sqrt 2 x 90 x 17.808 / 3.5 = 647.6 pF
  EXPECT_DOUBLE_EQ(s.C22, 560);
  // sqrt 2 x 90 x 9 / 53.333 / 0.5 = 42.96 kOhm
  EXPECT_DOUBLE_EQ(s.R38, 43);
  // U_ic_act = 16.46 V: R29_raw = 5 x 43 / 12.16 = 17.68; P10 = round_pot(5.89);
  // R29 = round_e24(14.68)
  EXPECT_DOUBLE_EQ(s.P10, 10);
  EXPECT_DOUBLE_EQ(s.R29, 15);
  EXPECT_DOUBLE_EQ(s.C29, 33);  // round_down_e12(500 / 15)
  // QMP03N60X5 (C_iss 400 pF): 40000 / 400
  EXPECT_EQ(s.mosfet_name, " QMP03N60X5");
  EXPECT_DOUBLE_EQ(s.R35, 100);
}

TEST(DimensionComponents, MainsSidePartsOfTheDemonstrationDesign) {
  DesignState s = QrmDesign();
  s.filter_answer = "0";
  dimension_components(s);
  // 89.4 W at 90 V: 0.993 A.
  EXPECT_EQ(s.txt_R01, " 5 Ohm         S237, NTC- Resistor");
  EXPECT_EQ(s.R11, 30);
  EXPECT_DOUBLE_EQ(s.I_fuse, 1.5 * 89.4 / 90);
  EXPECT_EQ(s.F01, 1.6);
  EXPECT_EQ(s.txt_L01, "      L01      2*33 mH,1 A   Filter- Choke, Epcos, no. B82724-J2102-N1");
  EXPECT_EQ(s.txt_T01, " QMP03N60X5    600V, 1.4 Ohm, 3.2A");
  EXPECT_EQ(s.R_DSon, 1.4);
  EXPECT_EQ(s.txt_D01_04, " 4* BYW76      600 V, 1A, 50ns");
  // 540.44 µH in the 2 mH step, 0.99 A within its 1.2 A limit.
  EXPECT_EQ(s.L08, 2);
  EXPECT_EQ(s.I_L08, 1);
  EXPECT_EQ(s.txt_L08, " PFC choke, Epcos, no. B82614-R2102-A30");
  EXPECT_EQ(s.txt_D08, " STTA506D      600 V, 5 A, 20 ns");
  // 125 x 89.4 / 90 = 124.2 µF; 420.0 V bus.
  EXPECT_EQ(s.C07, 150);
  EXPECT_NEAR(s.U_bus_max, 420.02, 0.005);
  EXPECT_EQ(s.U_C07, 450);
}

TEST(DimensionComponents, FuseSteps) {
  DesignState s = PwxDesign();
  s.U_mains_min = 90;
  for (const auto& [P_in_max, F01] :
       {std::pair{120.0, 2.0}, std::pair{120.6, 3.15}, std::pair{1800.0, 25.0}}) {
    s.P_in_max = P_in_max;  // I_fuse 2.0 A, 2.01 A, 30 A
    dimension_components(s);
    EXPECT_EQ(s.F01, F01) << s.I_fuse;
  }
}

TEST(DimensionComponents, DcInput) {
  // 24 V to 36 V DC at 30 W.
  DesignState s = PwxDesign();
  s.dc_input = true;
  s.P_in_max = 30;
  s.U_mains_min = 24 / std::numbers::sqrt2;
  s.U_mains_max = 36 / std::numbers::sqrt2;
  dimension_components(s);
  // I_fuse = 1.5 x 30 / 24 = 1.875 A.
  EXPECT_NEAR(s.I_fuse, 1.875, 1E-12);
  EXPECT_EQ(s.F01, 2);
  // I_ntc = 30 / (24 / sqrt 2) = 1.77 A, not divided by sqrt 2.
  EXPECT_EQ(s.txt_R01, " 2.5 Ohm       S236, NTC- Resistor");
  // I_filter = 30 / 24 = 1.25 A.
  EXPECT_NEAR(s.I_filter, 1.25, 1E-12);
  EXPECT_EQ(s.txt_L01, "      L01      2*39 mH,1.4 A   frame core choke Epcos");
  // C07_need = 125 x 1.77 = 221 µF, not divided by sqrt 2.
  EXPECT_EQ(s.C07, 330);
}

TEST(DimensionComponents, LowMainsStartAndUndervoltageResistors) {
  DesignState s = PwxDesign();
  s.U_mains_min = 20;
  dimension_components(s);
  EXPECT_EQ(s.R22, 100);
  EXPECT_EQ(s.R23, 3900);
  s.U_mains_min = 19.9;
  dimension_components(s);
  EXPECT_EQ(s.R22, 100);
  EXPECT_EQ(s.R23, 390);
}

TEST(DimensionComponents, GateResistorFromTheMosfetCapacitance) {
  DesignState s = PwxDesign();
  struct Case {
    double U_D_lim, I_D_max_fix, C_iss, R35;
  };
  for (const Case& c : {Case{400, 1, 0, 100}, Case{600, 10, 790, 51}, Case{600, 20, 2400, 16},
                        Case{1000, 1, 1950, 20}}) {
    s.U_D_lim = c.U_D_lim;
    s.I_D_max_fix = c.I_D_max_fix;
    dimension_components(s);
    EXPECT_EQ(s.C_iss, c.C_iss);
    EXPECT_DOUBLE_EQ(s.R35, c.R35) << c.C_iss;
  }
}

TEST(DimensionComponents, BulkCapacitorVoltage) {
  DesignState s = PwxDesign();
  s.U_mains_max = 270;
  s.k_U = 1;  // without PFC: 381.8 V
  dimension_components(s);
  EXPECT_NEAR(s.U_bus_max, 381.8, 0.05);
  EXPECT_EQ(s.U_C07, 385);
  s.k_U = 1.1;  // with PFC: 420 V
  dimension_components(s);
  EXPECT_EQ(s.U_C07, 450);
}

TEST(DimensionComponents, HighPowerTimer) {
  DesignState s = PwxDesign();
  s.THP = true;
  s.P_perm = 50;
  s.t_THP = 1;
  s.U_ts = 2;
  dimension_components(s);
  EXPECT_EQ(s.R39, 51);
  // k_THP = 0.19 / 4 = 0.0475; 1000 x 50 x 0.0475 x 4.2 / 51 = 195.6 pF
  EXPECT_DOUBLE_EQ(s.C38, 150);
  EXPECT_EQ(s.R36, 1);
  EXPECT_DOUBLE_EQ(s.C36, 1);
}

TEST(DimensionComponents, WhatARunDoesNotDimensionKeepsItsValue) {
  DesignState s = PwxDesign();
  s.R39 = 1;
  s.C38 = 2;
  s.R36 = 3;
  s.C36 = 4;
  s.C29 = 5;
  s.R60 = 6;
  s.U1rmin = 7;
  dimension_components(s);  // no THP, no opto, PWX family
  EXPECT_EQ(s.R39, 1);
  EXPECT_EQ(s.C38, 2);
  EXPECT_EQ(s.R36, 3);
  EXPECT_EQ(s.C36, 4);
  EXPECT_EQ(s.C29, 5);
  EXPECT_EQ(s.R60, 6);
  EXPECT_EQ(s.U1rmin, 7);

  DesignState q = QrmDesign();
  q.R23 = 8;
  q.R24 = 9;
  q.C30 = 10;
  q.R31 = 11;
  dimension_components(q);
  EXPECT_EQ(q.R23, 8);
  EXPECT_EQ(q.R24, 9);
  EXPECT_EQ(q.C30, 10);
  EXPECT_EQ(q.R31, 11);
}

// Every number the component list could print.
void ExpectAllValuesFinite(const DesignState& s) {
  for (double value : {s.I_fuse, s.F01,    s.I_filter, s.C07, s.U_C07, s.U_bus_max, s.L08, s.I_L08,
                       s.R22,    s.C22,    s.R23,      s.R24, s.R29,   s.P10,       s.C29, s.C30,
                       s.R30,    s.R31,    s.C31,      s.R35, s.R38,   s.R39,       s.C38, s.R36,
                       s.C36,    s.U1rmin, s.U1rmax,   s.P60, s.R60,   s.R65}) {
    EXPECT_TRUE(std::isfinite(value)) << value;
  }
}

TEST(DimensionComponents, SupplyAtTheRegulationThreshold) {
  // One turn at 5 V: U_ic_act = 4.3 V, U_sup = 5 V exactly.
  DesignState s = QrmDesign();
  s.nic = 1;
  s.U_ts = 5;
  dimension_components(s);
  EXPECT_DOUBLE_EQ(s.P10, 0.000002);
  EXPECT_DOUBLE_EQ(s.R29, 0.000001);
  ExpectAllValuesFinite(s);
  // With opto regulation the threshold is 4.25 V: one turn at 4.25 V gives
  // U_ic_act = 3.55 V.
  s.opto_reg = "1";
  s.U_ts = 4.25;
  dimension_components(s);
  EXPECT_DOUBLE_EQ(s.R29, 0.000001);
  ExpectAllValuesFinite(s);
}

TEST(DimensionComponents, ZeroDenominatorsGiveNoNanOrInf) {
  DesignState s = PwxDesign();
  s.fixed_freq = "1";
  s.f_fix_min = 0;
  s.THP = true;
  s.U_ts = 0;
  s.opto_reg = "1";
  s.U_opto = 0;
  dimension_components(s);
  ExpectAllValuesFinite(s);

  DesignState q = QrmDesign();
  q.n_prim = 0;
  q.nic = 0;
  dimension_components(q);
  ExpectAllValuesFinite(q);
}

}  // namespace
}  // namespace flyback
