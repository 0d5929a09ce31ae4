// The controller's light-load switching of a stage of 500 µH reflecting
// 100 V (k_T = 1), worked by hand at a bus of 300 V. Free running at P the
// boundary pulse has I_pk = 2·P·(1/300 + 1/100) and T = L·I_pk·(1/300 +
// 1/100); above the 130 kHz ceiling (T < 7.6923 µs) the pulse stores P·T_c:
// I_pk = √(2·P·T_c/L); below the least peak current (0.33 of the largest)
// pulses of that current, ½·L·I²/T each period, burst for P over that.

#include "engine/efficiency/light_load_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flyback {
namespace {

SwitchingStage Stage(bool fixed_frequency) {
  SwitchingStage stage;
  stage.L_prim_uH = 500;
  stage.U_refl_V = 100;
  stage.k_T = 1;
  stage.fixed_frequency = fixed_frequency;
  stage.f_fixed_kHz = 50;
  stage.B_per_A_mT = 100;
  stage.I_bridge_per_W_A = 0.01;
  return stage;
}

TEST(LightLoadSwitching, ModesByHand) {
  struct Case {
    bool fixed_frequency;
    double P_in_W, I_pk_max_A;
    std::string mode;
    double I_pk_A, period_us, burst_duty;
  };
  for (const Case& c : std::vector<Case>{
           // 56.25 kHz, below the ceiling: the boundary pulse.
           {false, 100, 4, "valley switching", 2.666667, 17.777778, 1},
           // 281 kHz natural; at the ceiling 1.1094 A, above 0.66 A.
           {false, 40, 2, "valley skipping", 1.109400, 7.692308, 1},
           // At the ceiling 0.784 A, below 1.32 A: pulses of 1.32 A need
           // 2.2 + 6.6 µs, longer than the ceiling's period; 49.5 W in a burst.
           {false, 20, 4, "burst", 1.32, 8.8, 20 / 49.5},
           // Fixed 50 kHz: 0.632 A below 1.32 A; 21.78 W in a burst.
           {true, 5, 4, "burst", 1.32, 20, 5 / 21.78},
       }) {
    const SwitchingStage stage = Stage(c.fixed_frequency);
    const SwitchingPoint p = LightLoadSwitching({}, c.I_pk_max_A, stage, 300, c.P_in_W);
    EXPECT_EQ(LightLoadModeName(stage, p), c.mode) << c.P_in_W;
    EXPECT_NEAR(p.I_pk_A, c.I_pk_A, 1e-6) << c.P_in_W;
    EXPECT_NEAR(p.period_us, c.period_us, 1e-6) << c.P_in_W;
    EXPECT_NEAR(p.burst_duty, c.burst_duty, 1e-9) << c.P_in_W;
    EXPECT_NEAR(p.I_in_avg_A, 0.01 * c.P_in_W, 1e-12) << c.P_in_W;
  }
}

}  // namespace
}  // namespace flyback
