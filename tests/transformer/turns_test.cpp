#include "transformer/turns.h"

#include <gtest/gtest.h>

#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

TEST(DetermineTurns, ThreeOutputDemonstrationDesign) {
  const DesignState s = Calculated(ThreeOutputDemo());
  EXPECT_DOUBLE_EQ(s.U_IC, 16);  // QRM1X305
  EXPECT_DOUBLE_EQ(s.nic, 9);    // 16.7 / 1.9063 = 8.76
  EXPECT_DOUBLE_EQ(s.output(1).n, 53);
  EXPECT_DOUBLE_EQ(s.output(2).n, 9);
  EXPECT_DOUBLE_EQ(s.output(3).n, 5);
}

TEST(DetermineTurns, IcSupplyGetsOneMoreTurnWhenRoundingLeavesItBelowTenVolts) {
  DesignState s = ThreeOutputDemo();
  s.ic_type = 1;  // 12 V supply
  s.U_ts = 10;
  determine_turns(s);
  // 12.7 / 10 rounds to 1 turn: 10 V − 0.7 V = 9.3 V, below 10.7 V.
  EXPECT_DOUBLE_EQ(s.U_IC, 12);
  EXPECT_DOUBLE_EQ(s.nic, 2);
}

TEST(DetermineTurns, NoExtraTurnAtExactlyTenVolts) {
  DesignState s = ThreeOutputDemo();
  s.ic_type = 1;
  s.U_ts = 10.7;  // 12.7 / 10.7 rounds to 1 turn, which gives exactly 10.7 V
  determine_turns(s);
  EXPECT_DOUBLE_EQ(s.nic, 1);
}

TEST(DetermineTurns, HalfwayQuotientsRoundToTheEvenTurnCount) {
  DesignState s = ThreeOutputDemo();
  s.U_ts = 2;
  SetOutput(s, 1, 16, 16, 0);  // (16 + 1) / 2 = 8.5 turns
  SetOutput(s, 2, 18, 18, 0);  // (18 + 1) / 2 = 9.5 turns
  SetOutput(s, 3, 20, 22, 0);  // (21 + 1) / 2 = 11 turns
  determine_turns(s);
  EXPECT_DOUBLE_EQ(s.output(1).n, 8);
  EXPECT_DOUBLE_EQ(s.output(2).n, 10);
  EXPECT_DOUBLE_EQ(s.output(3).n, 11);
}

}  // namespace
}  // namespace flyback
