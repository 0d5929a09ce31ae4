#include "engine/transformer/winding_values.h"

#include <gtest/gtest.h>

#include "engine/transformer/wire.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

TEST(WindingValues, ThreeOutputDemonstrationDesign) {
  const DesignState s = Calculated(ThreeOutputDemo());
  const WindingValues v = ComputeWindingValues(s.inputs, s.transformer);
  EXPECT_DOUBLE_EQ(v.I_prim_rms, 1.61);
  EXPECT_DOUBLE_EQ(v.A_prim, 0.27);
  EXPECT_DOUBLE_EQ(v.U_ic_act, 16.46);
  EXPECT_DOUBLE_EQ(v.output(1).I_sec_rms, 0.79);
  EXPECT_DOUBLE_EQ(v.output(1).A_sec, 0.13);
  EXPECT_DOUBLE_EQ(v.output(2).I_sec_rms, 1.59);
  // 100 × 1.59 / 6 = 26.5 rounds half-to-even to 26.
  EXPECT_DOUBLE_EQ(v.output(2).A_sec, 0.26);
  EXPECT_DOUBLE_EQ(v.output(3).I_sec_rms, 1.59);
  EXPECT_DOUBLE_EQ(v.output(3).A_sec, 0.26);
  EXPECT_DOUBLE_EQ(v.output(1).Uact, 100.04);
  EXPECT_DOUBLE_EQ(v.output(2).Uact, 16.16);
  EXPECT_DOUBLE_EQ(v.output(3).Uact, 8.53);
}

TEST(WindingValues, ConductionLossOfTheDemonstrationDesignsMosfet) {
  DesignState s = Calculated(ThreeOutputDemo());
  // QMP03N60X5, 1.4 Ohm, for 4.19 A at 600 V:
  // 2 × 1.4 × 4.1941² × 17.808 / (3 × 40.102) = 7.29 W
  EXPECT_DOUBLE_EQ(ConductionLoss(s.transformer, 1.4), 7.3);
}

TEST(WindingValues, FixedFrequencyScalesTheRmsCurrentsByKFix) {
  DesignState s = Calculated(FixedFrequencyDemo(50, 70));
  // 1.61 A free running, times k_fix = (70.03 / 50)^(1/4) = 1.0879: 1.75 A.
  EXPECT_DOUBLE_EQ(PrimaryRmsCurrent(s.inputs, s.transformer), 1.75);
  DesignState free_running = s;
  free_running.inputs.fixed_freq = false;
  EXPECT_DOUBLE_EQ(PrimaryRmsCurrent(free_running.inputs, free_running.transformer), 1.61);
  // Output 2 (1 A): 1.587 A free running, 1.726 A with k_fix.
  EXPECT_DOUBLE_EQ(
      ComputeWindingValues(free_running.inputs, free_running.transformer).output(2).I_sec_rms,
      1.59);
  EXPECT_DOUBLE_EQ(ComputeWindingValues(s.inputs, s.transformer).output(2).I_sec_rms, 1.73);
}

TEST(WindingValues, WireCrossSectionAndCount) {
  EXPECT_NEAR(WireCrossSection(0.28), 0.061575, 5e-7);
  // 0.26 / 0.061575 = 4.22: four wires are too few, five are taken.
  EXPECT_DOUBLE_EQ(WireCount(0.26, WireCrossSection(0.28)), 5);
  // An exact multiple still gets one wire more.
  EXPECT_DOUBLE_EQ(WireCount(0.5, 0.25), 3);
  EXPECT_DOUBLE_EQ(WireCount(0.2, 0.25), 1);
}

}  // namespace
}  // namespace flyback
