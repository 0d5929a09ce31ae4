#include "engine/transformer/turns.h"

#include <gtest/gtest.h>

#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

TEST(DetermineTurns, ThreeOutputDemonstrationDesign) {
  const DesignState s = Calculated(ThreeOutputDemo());
  EXPECT_DOUBLE_EQ(IcSupplyTarget(s.inputs.ic_type), 16);  // QRM1X305
  EXPECT_DOUBLE_EQ(s.transformer.nic, 9);                  // 16.7 / 1.9063 = 8.76
  EXPECT_DOUBLE_EQ(s.transformer.n_out(1), 53);
  EXPECT_DOUBLE_EQ(s.transformer.n_out(2), 9);
  EXPECT_DOUBLE_EQ(s.transformer.n_out(3), 5);
}

TEST(DetermineTurns, IcSupplyGetsOneMoreTurnWhenRoundingLeavesItBelowTenVolts) {
  DesignState s = ThreeOutputDemo();
  s.inputs.ic_type = ControlIc::kPwx;  // 12 V supply
  s.transformer.U_ts = 10;
  determine_turns(s.inputs, s.transformer);
  // 12.7 / 10 rounds to 1 turn: 10 V − 0.7 V = 9.3 V, below 10.7 V.
  EXPECT_DOUBLE_EQ(IcSupplyTarget(s.inputs.ic_type), 12);
  EXPECT_DOUBLE_EQ(s.transformer.nic, 2);
}

TEST(DetermineTurns, NoExtraTurnAtExactlyTenVolts) {
  DesignState s = ThreeOutputDemo();
  s.inputs.ic_type = ControlIc::kPwx;
  s.transformer.U_ts = 10.7;  // 12.7 / 10.7 rounds to 1 turn, which gives exactly 10.7 V
  determine_turns(s.inputs, s.transformer);
  EXPECT_DOUBLE_EQ(s.transformer.nic, 1);
}

TEST(DetermineTurns, HalfwayQuotientsRoundToTheEvenTurnCount) {
  DesignState s = ThreeOutputDemo();
  s.transformer.U_ts = 2;
  SetOutput(s, 1, 16, 16, 0);  // (16 + 1) / 2 = 8.5 turns
  SetOutput(s, 2, 18, 18, 0);  // (18 + 1) / 2 = 9.5 turns
  SetOutput(s, 3, 20, 22, 0);  // (21 + 1) / 2 = 11 turns
  determine_turns(s.inputs, s.transformer);
  EXPECT_DOUBLE_EQ(s.transformer.n_out(1), 8);
  EXPECT_DOUBLE_EQ(s.transformer.n_out(2), 10);
  EXPECT_DOUBLE_EQ(s.transformer.n_out(3), 11);
}

}  // namespace
}  // namespace flyback
