#include "engine/inputs/power_budget.h"

#include <gtest/gtest.h>

#include "support/script_run.h"

namespace flyback {
namespace {

// Answers up to the efficiency question: introduction, output count, the
// decimal-point note, then the outputs.
std::string Through(const std::string& count, int output_answers, const std::string& efficiency) {
  std::string answers = "\n" + count + "\n\n";
  for (int i = 0; i < output_answers; ++i) answers += "\n";
  return answers + efficiency + "\n";
}

TEST(PowerBudget, ThreeOutputDemonstrationDesign) {
  const ScriptRun run = RunScript(Through("", 9, ""));
  const DesignState& s = run.state;
  ASSERT_EQ(s.inputs.n_sec, 3);
  EXPECT_DOUBLE_EQ(s.inputs.output(1).Umin, 99);
  EXPECT_DOUBLE_EQ(s.inputs.output(1).Umax, 101);
  EXPECT_DOUBLE_EQ(s.inputs.output(1).Imax, 0.5);
  EXPECT_DOUBLE_EQ(s.inputs.output(2).Umin, 15.5);
  EXPECT_DOUBLE_EQ(s.inputs.output(2).Umax, 16.5);
  EXPECT_DOUBLE_EQ(s.inputs.output(3).Umin, 8);
  EXPECT_DOUBLE_EQ(s.inputs.output(3).Imax, 1);
  EXPECT_DOUBLE_EQ(s.inputs.P_out_max, 76);
  EXPECT_DOUBLE_EQ(s.inputs.eta, 0.85);
  EXPECT_DOUBLE_EQ(s.inputs.P_in_max, 89.4);
  EXPECT_DOUBLE_EQ(s.inputs.J, 6);
  EXPECT_TRUE(run.Has(" The calculated maximum input power of your power supply amounts 89.4 W."));
}

TEST(PowerBudget, FourOutputDemonstrationDesign) {
  const ScriptRun run = RunScript(Through("4", 12, ""));
  EXPECT_DOUBLE_EQ(run.state.inputs.output(4).Umin, 6.5);
  EXPECT_DOUBLE_EQ(run.state.inputs.output(4).Imax, 1.2);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_out_max, 156.2);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_in_max, 183.8);
  EXPECT_DOUBLE_EQ(run.state.inputs.J, 4);
  EXPECT_TRUE(run.Has(" The calculated maximum input power of your power supply amounts 183.8 W."));
}

TEST(PowerBudget, EfficiencyZeroMeansEightyPercent) {
  // 10 × 156.2 / 0.8 = 1952.5 rounds to the even 1952.
  const ScriptRun four = RunScript(Through("4", 12, "0"));
  EXPECT_DOUBLE_EQ(four.state.inputs.eta, 0.8);
  EXPECT_DOUBLE_EQ(four.state.inputs.P_in_max, 195.2);
  const ScriptRun decimal = RunScript(Through("", 9, "85.5"));
  EXPECT_DOUBLE_EQ(decimal.state.inputs.eta, 0.855);
}

TEST(PowerBudget, InputPowerRoundsTheTenfoldQuotient) {
  // 3.8 W at 80 %: 10 × 3.8 / 0.8 = 47.5 → 48 → 4.8 W.
  EXPECT_DOUBLE_EQ(InputPower(3.8, 0.8), 4.8);
  EXPECT_DOUBLE_EQ(InputPower(76, 0.85), 89.4);
}

TEST(PowerBudget, CurrentDensityThresholds) {
  EXPECT_DOUBLE_EQ(CurrentDensity(74.9), 8);
  EXPECT_DOUBLE_EQ(CurrentDensity(75), 6);
  EXPECT_DOUBLE_EQ(CurrentDensity(149.9), 6);
  EXPECT_DOUBLE_EQ(CurrentDensity(150), 4);
}

TEST(OutputCount, ZeroGivesThreeOutputsWithTheFirstDefaults) {
  const ScriptRun run = RunScript(Through("0", 9, ""));
  EXPECT_EQ(run.state.inputs.n_sec, 3);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_out_max, 76);
}

TEST(OutputCount, AnythingButOneToSixIsAskedAgain) {
  const ScriptRun run = RunScript("\n7\n2.5\nx\n-1\n1e40\n 2 \n");
  EXPECT_EQ(run.state.inputs.n_sec, 2);
  const std::string again =
      "?> Number of secondary outputs [3] {Please enter a whole number from 1 to 6.} => ";
  EXPECT_EQ(run.Find(again + "2.5"), run.Find("?> Number of secondary outputs [3] => 7") + 1);
  EXPECT_NE(run.Find(again + "x"), -1);
  EXPECT_NE(run.Find(again + "-1"), -1);
  EXPECT_NE(run.Find(again + "1e40"), -1);
  EXPECT_NE(run.Find("?> Number of secondary outputs [3] {Please enter a value between 1E-30 and "
                     "1E+30.} =>  2 "),
            -1);
}

TEST(OutputCount, OutputsFiveAndSixHaveNoDefault) {
  // Return on the empty field of output 5 is the empty answer: the end.
  const ScriptRun run = RunScript("\n5\n\n" + std::string(12, '\n') + "\n");
  EXPECT_NE(run.Find("?> Minimum output voltage V5 in V ? => <cancel>"), -1);
}

TEST(OutputQuestions, LeadingNumberRuleAndTitles) {
  const ScriptRun run = RunScript("\n1\n\n99,5\n15 V\n1 5\n");
  EXPECT_DOUBLE_EQ(run.state.inputs.output(1).Umin, 99);
  EXPECT_DOUBLE_EQ(run.state.inputs.output(1).Umax, 15);
  EXPECT_DOUBLE_EQ(run.state.inputs.output(1).Imax, 15);
  EXPECT_NE(run.Find("?> Maximum output voltage V1 in V ? [101] => 15 V"), -1);
  EXPECT_NE(run.Find("?> Maximum output current I1 in A ? [0.5] => 1 5"), -1);
}

TEST(OutputQuestions, NoOutputPowerAsksTheOutputsAgain) {
  // All currents 0: the outputs are asked again from output 1 with a hint.
  const ScriptRun run = RunScript("\n1\n\n5\n5\n0\n5\n5\n2\n\n");
  EXPECT_NE(run.Find("?> Minimum output voltage V1 in V ? [99] {The total output power must be "
                     "above 0 W.} => 5"),
            -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_out_max, 10);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_in_max, 11.8);
}

TEST(Efficiency, BadAnswersAreAskedAgain) {
  const ScriptRun run = RunScript(Through("", 9, "abc") + "-5\n1e20\n90\n");
  EXPECT_NE(run.Find("?> efficiency in % (see note above) [85] {Please enter a number.} => -5"),
            -1);
  EXPECT_NE(run.Find("?> efficiency in % (see note above) [85] {Please enter a value above 0.} "
                     "=> 1e20"),
            -1);
  // 1e20 % leaves no input power after rounding.
  EXPECT_NE(run.Find("?> efficiency in % (see note above) [85] {The input power must be above 0 "
                     "W.} => 90"),
            -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.eta, 0.9);
  EXPECT_DOUBLE_EQ(run.state.inputs.P_in_max, 84.4);
}

}  // namespace
}  // namespace flyback
