// The three-output demonstration design's efficiency map (76 W out, 90 to
// 270 V, PFC, QRM1X305) at 25 % and 100 % load at both ends of its range
// and with no load, every term against a hand calculation from the
// published formulas with the design's figures (those the loss budget's
// test states: L_prim 540.436914 µH, U_refl 101.671263 V, k_T 1.05, 340 mT
// at I_D_max 4.194108 A, 1.4 Ω, 370 pF, 20 ns, IC 16.46 V at 10 mA through
// 0.7 V, rectifiers 1 V, bridge 2·1 V·P_in/(U·1.12), C06 held at 1.75·U_refl,
// discharged by 4.7 kΩ and held by D09 at U_refl to the end of t_off, the
// output capacitors' ESR 0.994718, 0.092840, 0.055463 Ω carrying the
// rectifiers' ramps less their averages, N87 iGSE in its range by the
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
//   90 V 25 %    1.384056  0.595350742  22.190226522  0.856232810
//   90 V 100 %   3.304227  1            88.945658019  0.854454300
//   90 V none    1.384056  0.000180575   0.019007675
//   270 V 25 %   1.384056  0.411807761  22.379773824  0.848980877
//   270 V 100 %  2.189354  1            85.502671552  0.888861115
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
  // turn-off, clamp, rectifiers 1 to 3, capacitors 1 to 3, IC diode, control
  // IC, bridge, R22
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
       0.595350742,
       22.190226522,
       0.856232810,
       {0.055959076, 0.212831312, 0.054333507, 0.023202745, 0.012890530, 0.450177856, 0.005197815,
        0.003697033, 1.109883961, 0.125, 0.25, 0.25, 0.050202016, 0.018742086, 0.011196571,
        0.004266594, 0.100325916, 0.440038604, 0.012280900}},
      {false,
       1,
       3.304227,
       1.000000000,
       88.945658019,
       0.854454300,
       {0.283085534, 1.114010751, 0.440331633, 0.168344532, 0.093525816, 4.309669516, 0.003657055,
        0.014825072, 1.467026031, 0.5, 1, 1, 0.377576908, 0.140962046, 0.084211092, 0.007000000,
        0.164600000, 1.764551133, 0.012280900}},
      {false,
       0,
       1.384056,
       0.000180575,
       0.019007675,
       0.000000000,
       {0.000016973, 0.000064554, 0, 0, 0, 0.000136543, 0.000001577, 0.000001121, 0.000336638, 0, 0,
        0, 0, 0, 0, 0.000246220, 0.005789682, 0.000133468, 0.012280900}},
      {true,
       0.25,
       1.384056,
       0.411807761,
       22.379773824,
       0.848980877,
       {0.081326509, 0.133483197, 0.054858747, 0.023213195, 0.012896342, 0.136657216, 0.804717551,
        0.003703529, 1.039962974, 0.125, 0.25, 0.25, 0.050086707, 0.018699037, 0.011170853,
        0.003026761, 0.071172133, 0.146937249, 0.162861826}},
      {true,
       1,
       2.189354,
       1.000000000,
       85.502671552,
       0.888861115,
       {0.311119508, 0.616059040, 0.326702072, 0.131136808, 0.072854540, 0.830353550, 1.235339831,
        0.014226029, 2.272676020, 0.5, 1, 1, 0.183746103, 0.068598545, 0.040980949, 0.007000000,
        0.164600000, 0.564416731, 0.162861826}},
      {true,
       0,
       1.384056,
       0.000124903,
       0.169600299,
       0.000000000,
       {0.000024667, 0.000040486, 0, 0, 0, 0.000041449, 0.000244074, 0.000001123, 0.000315425, 0, 0,
        0, 0, 0, 0, 0.000245844, 0.005780839, 0.000044567, 0.162861826}},
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
