// The three-output demonstration design's efficiency map (76 W out, 90 to
// 270 V, PFC, QRM1X305) at 25 % and 100 % load at both ends of its range
// and with no load, every term against a hand calculation from the
// published formulas with the design's figures (those the loss budget's
// test states: L_prim 540.436914 µH, U_refl 101.671263 V, k_T 1.05, 340 mT
// at I_D_max 4.194108 A, 1.4 Ω, 370 pF, 20 ns, IC 16.46 V at 10 mA through
// 0.7 V, rectifiers 1 V, bridge 2·1 V·P_in/(U·1.12), C06 held at 1.75·U_refl
// and discharged by 4.7 kΩ, N87 iGSE in its range by the pulse frequency,
// Dowell over 50 harmonics; R22 = 1 MΩ from the bus, (U_bus − 16.46 V)²/R22).
// Light load: the least peak current is 0.33·4.194108 = 1.384056 A; its
// pulses last k_T·(t_on + t_off) = 13.895484 µs at 127.28 V and 9.594734 µs
// at 420.02 V, longer than 1/130 kHz, and bring in ½·L·I²/T = 37.27 W and
// 53.98 W: both 25 % points burst, for P_in over that share of the time,
// and the IC idles at 350 µA between the bursts. With no load (no opto
// feedback: nothing at the output) the stage delivers nothing and the
// pulses cover only its own losses. The fixed point P_in = P_out + losses
// was iterated to 1e-13 W.
//   point        I_pk (A)  duty         P_in (W)      efficiency
//   90 V 25 %    1.384056  0.580306292  21.629792185  0.878418056
//   90 V 100 %   3.236198  1            87.114643768  0.872413600
//   90 V none    1.384056  0.000176706   0.018863552
//   270 V 25 %   1.384056  0.402623392  21.884279758  0.868203122
//   270 V 100 %  2.149763  1            83.959428257  0.905199113
//   270 V none   1.384056  0.000122599   0.169476028

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/map_terms.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

struct HandPoint {
  bool highest;  // the highest input voltage, else the lowest
  double load;   // 0: no load
  double I_pk_A, burst_duty, P_in_W, efficiency;
  // core, windings primary and outputs 1 to 3, MOSFET conduction, turn-on,
  // turn-off, clamp, rectifiers 1 to 3, IC diode, control IC, bridge, R22
  std::vector<double> terms_W;
};

const MapPoint& PointOf(const EfficiencyMap& map, const HandPoint& e) {
  const MapRow& row = e.highest ? map.rows.back() : map.rows.front();
  if (e.load == 0) return row.no_load;
  for (const MapPoint& point : row.loads) {
    if (point.load == e.load) return point;
  }
  return row.no_load;
}

TEST(EfficiencyMap, ThreeOutputDemonstrationByHand) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  ASSERT_EQ(s.components.R22, 1);  // MOhm
  const EfficiencyMap map = ComputeEfficiencyMap(s, ComputeLossBudget(s, nullptr));
  const std::vector<HandPoint> expected{
      {false,
       0.25,
       1.384056,
       0.580306292,
       21.629792185,
       0.878418056,
       {0.054544996, 0.207453087, 0.055742104, 0.023804276, 0.013224717, 0.438801910, 0.005066467,
        0.003603609, 0.659250005, 0.125, 0.25, 0.25, 0.004164969, 0.097936271, 0.428918875,
        0.012280900}},
      {false,
       1,
       3.236198,
       1,
       87.114643768,
       0.872413600,
       {0.275721431, 1.082769758, 0.441460946, 0.169149275, 0.093972895, 4.134036170, 0.003733932,
        0.014519844, 0.487177132, 0.5, 1, 1, 0.007, 0.1646, 1.728221485, 0.012280900}},
      {false,
       0,
       1.384056,
       0.000176706,
       0.018863552,
       0,
       {0.000016609, 0.000063171, 0, 0, 0, 0.000133618, 0.000001543, 0.000001097, 0.000200745, 0, 0,
        0, 0.000246194, 0.005789068, 0.000130608, 0.012280900}},
      {true,
       0.25,
       1.384056,
       0.402623392,
       21.884279758,
       0.868203122,
       {0.079512720, 0.130506179, 0.056110147, 0.023742718, 0.013190524, 0.133609410, 0.786770287,
        0.003620930, 0.653016826, 0.125, 0.25, 0.25, 0.002964721, 0.069713297, 0.143660172,
        0.162861826}},
      {true,
       1,
       2.149763,
       1,
       83.959428257,
       0.905199113,
       {0.304008483, 0.600926107, 0.327798408, 0.131864768, 0.073258963, 0.800593674, 1.258090523,
        0.013968772, 1.060246636, 0.5, 1, 1, 0.007, 0.1646, 0.554210095, 0.162861826}},
      {true,
       0,
       1.384056,
       0.000122599,
       0.169476028,
       0,
       {0.000024212, 0.000039739, 0, 0, 0, 0.000040684, 0.000239573, 0.000001103, 0.000198845, 0, 0,
        0, 0.000245828, 0.005780474, 0.000043745, 0.162861826}},
  };
  for (const HandPoint& e : expected) {
    const MapPoint& point = PointOf(map, e);
    SCOPED_TRACE(std::string(e.highest ? "270 V" : "90 V") + ", load " + std::to_string(e.load));
    EXPECT_NEAR(point.stage.switching.I_pk_A, e.I_pk_A, 1e-6);
    // The hand values take the windings' resistances to five digits: the
    // copper and with it P_in to 5e-6 W, the burst duty, which follows P_in,
    // to 2e-7 of itself.
    EXPECT_NEAR(point.stage.switching.burst_duty, e.burst_duty, 2e-7);
    EXPECT_NEAR(point.P_in_W, e.P_in_W, 5e-6);
    EXPECT_NEAR(point.efficiency, e.efficiency, 1e-7);
    const std::vector<LossTerm> terms = LossTermsOf(point);
    ASSERT_EQ(terms.size(), e.terms_W.size());
    for (std::size_t i = 0; i < terms.size(); ++i) {
      EXPECT_NEAR(terms[i].P_W, e.terms_W[i], 5e-6) << terms[i].name;
    }
  }
}

}  // namespace
}  // namespace flyback
