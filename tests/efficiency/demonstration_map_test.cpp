// The three-output demonstration design's efficiency map (76 W out, 90 to
// 270 V, PFC, QRM1X305) at 25 % and 100 % load at both ends of its range
// and with no load, every term against a hand calculation from the
// published formulas with the design's figures (those the loss budget's
// test states: L_prim 540.436914 µH, U_refl 101.671263 V, k_T 1.05, 340 mT
// at I_D_max 4.194108 A, 1.4 Ω, 370 pF, 20 ns, IC 16.46 V at 10 mA through
// 0.7 V, rectifiers 1 V, bridge 2·1 V·P_in/(U·1.12), C06 held at 1.75·U_refl,
// discharged by 4.7 kΩ and held by D09 at U_refl to the end of t_off, N87 iGSE in its range by the
// pulse frequency, Dowell over 50 harmonics; R22 = 1 MΩ from the bus, (U_bus − 16.46 V)²/R22).
// Light load: the least peak current is 0.33·4.194108 = 1.384056 A; its
// pulses last k_T·(t_on + t_off) = 13.895484 µs at 127.28 V and 9.594734 µs
// at 420.02 V, longer than 1/130 kHz, and bring in ½·L·I²/T = 37.27 W and
// 53.98 W: both 25 % points burst, for P_in over that share of the time,
// and the IC idles at 350 µA between the bursts. With no load (no opto
// feedback: nothing at the output) the stage delivers nothing and the
// pulses cover only its own losses. The fixed point P_in = P_out + losses
// was iterated to 1e-13 W.
//   point        I_pk (A)  duty         P_in (W)      efficiency
//   90 V 25 %    1.384056  0.592952243  22.100877900  0.859694356
//   90 V 100 %   3.278399  1            88.250477401  0.861185143
//   90 V none    1.384056  0.000180575   0.019007675
//   270 V 25 %   1.384056  0.410152590  22.290477845  0.852381906
//   270 V 100 %  2.181682  1            85.203621208  0.891980868
//   270 V none   1.384056  0.000124903   0.169600299

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
       0.592952243,
       22.100877900,
       0.859694356,
       {0.055733633, 0.211973875, 0.054553287, 0.023296600, 0.012942672, 0.448364218, 0.005176874,
        0.003682139, 1.105412555, 0.125, 0.25, 0.25, 0.004250392, 0.099944941, 0.438265813,
        0.012280900}},
      {false,
       1,
       3.278399,
       1.000000000,
       88.250477401,
       0.861185143,
       {0.280284793, 1.102109322, 0.440754603, 0.168646067, 0.093693335, 4.242556602, 0.003685867,
        0.014709186, 1.469398858, 0.5, 1, 1, 0.007000000, 0.164600000, 1.750757867, 0.012280900}},
      {false,
       0,
       1.384056,
       0.000180575,
       0.019007675,
       0.000000000,
       {0.000016973, 0.000064554, 0, 0, 0, 0.000136543, 0.000001577, 0.000001121, 0.000336638, 0, 0,
        0, 0.000246220, 0.005789682, 0.000133468, 0.012280900}},
      {true,
       0.25,
       1.384056,
       0.410152590,
       22.290477845,
       0.852381906,
       {0.080999636, 0.132946690, 0.055080129, 0.023306871, 0.012948385, 0.136107953, 0.801483166,
        0.003688643, 1.035783072, 0.125, 0.25, 0.25, 0.003015581, 0.070909227, 0.146346667,
        0.162861826}},
      {true,
       1,
       2.181682,
       1.000000000,
       85.203621208,
       0.891980868,
       {0.309738828, 0.613121534, 0.326911350, 0.131275956, 0.072931844, 0.824544247, 1.239683969,
        0.014176178, 2.274336592, 0.5, 1, 1, 0.007000000, 0.164600000, 0.562438885, 0.162861826}},
      {true,
       0,
       1.384056,
       0.000124903,
       0.169600299,
       0.000000000,
       {0.000024667, 0.000040486, 0, 0, 0, 0.000041449, 0.000244074, 0.000001123, 0.000315425, 0, 0,
        0, 0.000245844, 0.005780839, 0.000044567, 0.162861826}},
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
