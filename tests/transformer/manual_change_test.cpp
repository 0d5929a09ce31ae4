// The manual change keys on the three-output demonstration design.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// The demonstration design as the continuation menu leaves it.
DesignState AfterWindingTable() {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.wire_answered = true;
  s.flow.turns_kept = true;
  return s;
}

ScriptRun Manually(const std::string& answers, DesignState s = AfterWindingTable()) {
  return RunScript(answers, Page::kManualChange, std::move(s));
}

int Count(const ScriptRun& run, const std::string& line) {
  return static_cast<int>(std::count(run.lines.begin(), run.lines.end(), line));
}

TEST(ManualChange, KeyListAndDefault) {
  const ScriptRun run = Manually("");
  const std::vector<std::string> expected = {
      "",
      "Outp. Volt. higher (+)",
      "",
      "Outp. Volt. lower (-)",
      "",
      "Change turns (t)",
      "",
      "Change number of primary turns (p)",
      "",
      "Go Back (b)",
      "?> Manually Change [b] => <cancel>",
  };
  EXPECT_EQ(run.lines, expected);
  EXPECT_TRUE(run.state.flow.manual_mode);
}

TEST(ManualChange, PlusRaisesEveryOutputVoltage) {
  const ScriptRun run = Manually("+\n");
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 339.75);
  EXPECT_NEAR(run.state.transformer.n_prim, 53.294, 5e-4);
  EXPECT_NEAR(run.state.transformer.U_ts, 1.90775, 5e-6);
  // The turns stay; output 1 rises from 100.04 V, output 2 from 16.16 V.
  EXPECT_TRUE(run.Has("U 1            53 / 0.5      0.79 / 0.13   99 / 101      100.11 "));
  EXPECT_NE(run.Find("U 2            9 / 1"), -1);
  EXPECT_NE(run.lines[static_cast<std::size_t>(run.Find("U 2"))].find("16.17"), std::string::npos);
  // Back at the keys, Return repeats "+".
  EXPECT_TRUE(run.Has("?> Manually Change [+] => <cancel>"));
  EXPECT_EQ(run.Find("    Result:"), -1);
  EXPECT_DOUBLE_EQ(Manually("+\n\n").state.transformer.Bmax, 339.5);
}

TEST(ManualChange, MinusLowersEveryOutputVoltage) {
  const ScriptRun run = Manually("-\n");
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 340.25);
  EXPECT_NEAR(run.state.transformer.U_ts, 1.90495, 5e-6);
  EXPECT_TRUE(run.Has("U 1            53 / 0.5      0.79 / 0.13   99 / 101      99.96 "));
  EXPECT_TRUE(run.Has("?> Manually Change [-] => <cancel>"));
}

TEST(ManualChange, PlusStopsAboveZeroMagnetization) {
  DesignState s = AfterWindingTable();
  s.transformer.Bmax = 0.25;
  const ScriptRun run = Manually("+\n", s);
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 0.25);
  EXPECT_EQ(run.state.flow.last_manual_key, "+");
  EXPECT_TRUE(
      run.Has("?> Manually Change [+] {The magnetization cannot be lowered further.} => <cancel>"));
}

TEST(ManualChange, UnknownKeyIsAskedAgainWithoutTheKeyList) {
  const ScriptRun run = Manually("x\n");
  EXPECT_EQ(Count(run, "Go Back (b)"), 1);
  EXPECT_TRUE(run.Has("?> Manually Change [b] => x"));
  EXPECT_TRUE(run.Has("?> Manually Change [b] => <cancel>"));
}

TEST(ManualChange, TurnsOfOneOutput) {
  const ScriptRun run = Manually("t\n2\n10\n");
  const int question = run.Find("?> Changing the number of turns manually");
  ASSERT_NE(question, -1);
  const std::vector<std::string> expected = {
      "?> Changing the number of turns manually [IC(0) n1(1) n2(2) ...] {Which winding has to be "
      "changed?} => 2",
      "\f",
      "Old value n2=  9 ",
      "",
      "New value ?",
      "?> New value? => 10",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(question) + i], expected[i]) << i;
  }
  EXPECT_DOUBLE_EQ(run.state.transformer.n_out(2), 10);
  // Bmax unchanged: 10 × 1.9063 V − 1 V = 18.06 V.
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 340);
  EXPECT_NE(run.lines[static_cast<std::size_t>(run.Find("U 2"))].find(" 18.06 "),
            std::string::npos);
  EXPECT_TRUE(run.Has("?> Manually Change [b] => <cancel>"));
  // The answer is written as entered.
  EXPECT_TRUE(Manually("t\n 2 \n").Has("Old value n 2 =  9 "));
}

TEST(ManualChange, TurnsOfTheIcSupplyMayBeHalfTurns) {
  const ScriptRun run = Manually("t\n0\n8.5\n");
  EXPECT_TRUE(run.Has("Old value nic =  9 "));
  EXPECT_DOUBLE_EQ(run.state.transformer.nic, 8.5);
  // 8.5 × 1.9063 V − 0.7 V = 15.50 V
  EXPECT_NE(run.Find("IC-supply      8.5                                       15.5 "), -1);
}

TEST(ManualChange, WindingNumberAndTurnsAreChecked) {
  const ScriptRun run = Manually("t\n\n4\n1.5\nx\n3\n0\n100001\n-2\n100000\n");
  const std::string hint = "{Please enter a winding number from 0 to 3.}";
  EXPECT_TRUE(
      run.Has("?> Changing the number of turns manually [IC(0) n1(1) n2(2) ...] {Which "
              "winding has to be changed?} => IC(0) n1(1) n2(2) ..."));
  for (const char* answer : {"4", "1.5", "x", "3"}) {
    EXPECT_TRUE(run.Has("?> Changing the number of turns manually [IC(0) n1(1) n2(2) ...] " + hint +
                        " => " + answer))
        << answer;
  }
  const std::string turns_hint = "{Please enter a number of turns above 0 and at most 100000.}";
  EXPECT_TRUE(run.Has("?> New value? => 0"));
  EXPECT_TRUE(run.Has("?> New value? " + turns_hint + " => 100001"));
  EXPECT_TRUE(run.Has("?> New value? " + turns_hint + " => -2"));
  EXPECT_TRUE(run.Has("?> New value? " + turns_hint + " => 100000"));
  EXPECT_DOUBLE_EQ(run.state.transformer.n_out(3), 100000);
}

TEST(ManualChange, PrimaryTurnsKeepTheOutputVoltages) {
  const ScriptRun run = Manually("p\n50\n");
  const int old_turns = run.Find("Old number of primary turns:");
  ASSERT_NE(old_turns, -1);
  const std::vector<std::string> expected = {
      "Old number of primary turns: 53 ",
      "",
      "New number of primary turns ?",
      "?> New number of primary turns? => 50",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(old_turns) + i], expected[i]) << i;
  }
  EXPECT_EQ(run.lines[static_cast<std::size_t>(old_turns) - 1], "");
  EXPECT_EQ(run.lines[static_cast<std::size_t>(old_turns) - 2], "?> Manually Change [b] => p");
  const DesignState& s = run.state;
  EXPECT_DOUBLE_EQ(s.transformer.n_prim, 50);
  EXPECT_NEAR(s.transformer.n_prim * s.transformer.q_D, 66.766, 5e-4);  // K
  EXPECT_NEAR(s.transformer.q_D, 1.33532, 5e-6);
  EXPECT_NEAR(s.transformer.D_max, 0.40782, 5e-6);
  EXPECT_NEAR(s.transformer.I_D_max, 4.3495, 5e-5);
  EXPECT_NEAR(s.transformer.Bmax, 330.56, 5e-3);
  EXPECT_NEAR(s.transformer.U_D_max, 586.83, 5e-3);
  EXPECT_NEAR(s.transformer.L_prim, 475, 1e-9);
  EXPECT_NEAR(s.transformer.fsntmin, 25.12, 5e-3);
  EXPECT_NEAR(s.transformer.U_ts, 1.9063, 5e-5);
  EXPECT_DOUBLE_EQ(s.transformer.I_D_max_fix, s.transformer.I_D_max);
  // Shorter on time (16.23 µs) and off time (21.67 µs) at the higher current:
  // 1.64 A primary, 0.78 A in output 1, whose voltage stays 100.04 V.
  EXPECT_TRUE(run.Has("Prim.          50 / 0.89     1.64 / 0.27 "));
  EXPECT_TRUE(run.Has("U 1            53 / 0.5      0.78 / 0.13   99 / 101      100.04 "));
  EXPECT_TRUE(run.Has("?> Manually Change [b] => <cancel>"));
  // No turns are determined during the manual change.
  EXPECT_DOUBLE_EQ(s.transformer.n_out(1), 53);
}

TEST(ManualChange, TurnsSetByHandSurviveGoBackAndTheResultScreen) {
  // t: output 1 gets 60 turns; b: table and continuation menu; Return: result screen.
  const ScriptRun run = Manually("t\n1\n60\nb\n\n");
  EXPECT_FALSE(run.state.flow.manual_mode);
  EXPECT_TRUE(run.state.flow.turns_kept);
  EXPECT_DOUBLE_EQ(run.state.transformer.n_out(1), 60);
  const int result = run.Find("    Result:");
  ASSERT_NE(result, -1);
  const int back = run.Find("?> Manually Change [b] => b");
  ASSERT_NE(back, -1);
  // "b" shows the table without the wire question, then the continuation menu.
  EXPECT_EQ(run.Find("?> Cross section / number of wires", back), -1);
  EXPECT_NE(run.Find(" Continue ?", back), -1);
  EXPECT_NE(run.Find("U 1            60 / 0.5", back), -1);
}

TEST(ManualChange, DefaultAfterTurnsChangesIsGoBack) {
  DesignState s = AfterWindingTable();
  s.flow.last_manual_key = "+";
  EXPECT_TRUE(Manually("p\n50\n", s).Has("?> Manually Change [b] => <cancel>"));
  EXPECT_TRUE(Manually("t\n1\n50\n", s).Has("?> Manually Change [b] => <cancel>"));
}

}  // namespace
}  // namespace flyback
