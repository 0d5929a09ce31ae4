// Overshoot factor, mains range, lowest frequency and magnetization limit on
// scripted answers.

#include <gtest/gtest.h>

#include <utility>

#include "support/script_run.h"
#include "transformer/demo_designs.h"

namespace flyback {
namespace {

// From the overshoot page up to the drain-limit page of the calculation,
// where the answers run out.
ScriptRun Conditions(const std::string& answers, DesignState s = ThreeOutputDemo()) {
  return RunScript(answers, Page::kOvershootFactor, std::move(s));
}

TEST(OperatingConditions, ReturnEverywhere) {
  const ScriptRun three = Conditions("\n\n\n\n");
  EXPECT_DOUBLE_EQ(three.state.inputs.k_os, 1.75);
  EXPECT_DOUBLE_EQ(three.state.inputs.U_mains_min, 90);
  EXPECT_DOUBLE_EQ(three.state.inputs.U_mains_max, 270);
  EXPECT_FALSE(three.state.inputs.dc_input);
  EXPECT_DOUBLE_EQ(three.state.inputs.f_low_lim, 20);
  EXPECT_DOUBLE_EQ(three.state.inputs.Bmaxlim, 340);
  EXPECT_DOUBLE_EQ(three.state.transformer.Bmax, 340);
  // The calculation follows: its first question is the drain-voltage limit.
  EXPECT_NE(three.Find("?> Limit of drain voltage (see note above)"), -1);

  const ScriptRun four = Conditions("\n\n\n\n", FourOutputDemo());
  EXPECT_DOUBLE_EQ(four.state.inputs.k_os, 2.4);
  EXPECT_DOUBLE_EQ(four.state.inputs.Bmaxlim, 310);
  EXPECT_DOUBLE_EQ(four.state.transformer.Bmax, 310);
}

TEST(OperatingConditions, PagesAsShown) {
  const ScriptRun run = Conditions("\n\n\n\n");
  const std::vector<std::string> expected = {
      "\f",
      "",
      "",
      "",
      "",
      " Overshoot factor for drain voltage. This factor characterizes the height of the "
      "transformer overshoots.",
      "",
      " The overshoot factor is the factor, by which the induced voltage in the primary winding "
      "has to be multiplied to take the overshoots into account.",
      "",
      " The factor without overshoots is 1, the normal range is 1.5 to 2.5.",
      "?> Overshoot factor for drain voltage [1.75] => 1.75",
      "\f",
      "Input voltage range",
      "",
      "Small (180 V - 270 V)       (1)",
      "",
      "Wide (90 V - 270 V)         (2)",
      "",
      "Special                     (3)",
      "",
      "DC input                    (4)",
      "?> Mains input voltage range in V [2] => 2",
      "\f",
      "?> Lowest SMPS frequency in kHz ? [20] => 20",
      "\f",
      " The limit for the magnetization prevents the transformer from saturation and lies "
      "usally between 300 and 400 mT.",
      "?> Highest magnetization in mT [340] => 340",
  };
  ASSERT_GE(run.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.lines[i], expected[i]) << i;
}

TEST(OperatingConditions, MainsRanges) {
  const ScriptRun small = Conditions("\n1\n\n\n");
  EXPECT_DOUBLE_EQ(small.state.inputs.U_mains_min, 180);
  EXPECT_DOUBLE_EQ(small.state.inputs.U_mains_max, 270);
  for (const char* other : {"5", "x", " 2"}) {
    const ScriptRun run = Conditions(std::string("\n") + other + "\n\n\n");
    EXPECT_DOUBLE_EQ(run.state.inputs.U_mains_min, 180) << other;
    EXPECT_DOUBLE_EQ(run.state.inputs.U_mains_max, 270) << other;
  }
  const ScriptRun special = Conditions("\n3\n0\n100\n\n\n\n");
  EXPECT_TRUE(special.Has("?> Min. mains voltage [90] {Please enter a value above 0.} => 100"));
  EXPECT_DOUBLE_EQ(special.state.inputs.U_mains_min, 100);
  EXPECT_DOUBLE_EQ(special.state.inputs.U_mains_max, 270);
}

TEST(OperatingConditions, DcInputIsCalculatedWithTheRmsEquivalent) {
  const ScriptRun run = Conditions("\n4\n300\n400\n\n\n");
  EXPECT_TRUE(run.state.inputs.dc_input);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_DC_min, 300);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_DC_max, 400);
  EXPECT_NEAR(run.state.inputs.U_mains_min, 212.13, 5e-3);
  EXPECT_NEAR(run.state.inputs.U_mains_max, 282.84, 5e-3);
  EXPECT_TRUE(run.Has("?> DC minimum value => 300"));
  // A DC minimum of 0 would leave the calculation without input voltage.
  const ScriptRun zero = Conditions("\n4\n0\n");
  EXPECT_TRUE(zero.Has("?> DC minimum value => 0"));
  EXPECT_TRUE(zero.Has("?> DC minimum value {Please enter a value above 0.} => <cancel>"));

  // Changing the mains range later to the wide range clears the DC input.
  DesignState later = run.state;
  later.flow.modify_transformer = false;
  const ScriptRun wide = RunScript("2\n\n\n", Page::kMainsRange, later);
  EXPECT_FALSE(wide.state.inputs.dc_input);
  EXPECT_DOUBLE_EQ(wide.state.inputs.U_mains_min, 90);
}

TEST(OperatingConditions, MagnetizationLimit) {
  EXPECT_DOUBLE_EQ(Conditions("\n\n\n0\n").state.inputs.Bmaxlim, 300);
  EXPECT_DOUBLE_EQ(Conditions("\n\n\nabc\n").state.inputs.Bmaxlim, 300);
  EXPECT_DOUBLE_EQ(Conditions("\n\n\nabc\n").state.transformer.Bmax, 300);
  const ScriptRun negative = Conditions("\n\n\n-5\n250\n");
  EXPECT_TRUE(
      negative.Has("?> Highest magnetization in mT [340] {Please enter a value above 0.} => 250"));
  EXPECT_DOUBLE_EQ(negative.state.inputs.Bmaxlim, 250);
  EXPECT_DOUBLE_EQ(negative.state.transformer.Bmax, 250);
}

TEST(OperatingConditions, OvershootZeroStaysZero) {
  EXPECT_DOUBLE_EQ(Conditions("0\n\n\n\n").state.inputs.k_os, 0);
}

TEST(OperatingConditions, ModifyTransformerSkipsStraightToTheCalculation) {
  DesignState s = ThreeOutputDemo();
  s.flow.modify_transformer = true;
  s.flow.turns_kept = true;
  s.transformer.Bmax = 320;  // left by an earlier manual change
  s.flow.ask_drain_limit = false;
  s.inputs.U_D_lim = 600;
  const ScriptRun run = Conditions("\n", s);
  EXPECT_EQ(run.Find("?> Mains input voltage range in V"), -1);
  EXPECT_EQ(run.Find("?> Highest magnetization in mT"), -1);
  EXPECT_FALSE(run.state.flow.turns_kept);
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 320);
  // The calculation ran and the result screen is shown.
  EXPECT_NE(run.Find("    Result:"), -1);
}

}  // namespace
}  // namespace flyback
