// The winding table and the wire question, on the three-output demonstration
// design.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

const std::string kCrossSectionAnswer = "cross section (Ret) number of wires (1)";

int Count(const ScriptRun& run, const std::string& prefix) {
  return static_cast<int>(std::count_if(run.lines.begin(), run.lines.end(),
                                        [&](const auto& l) { return l.rfind(prefix, 0) == 0; }));
}

TEST(WindingTable, ThreeOutputDemonstrationDesignInCrossSectionMode) {
  const ScriptRun run = RunScript("\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  const std::vector<std::string> expected = {
      "\f",
      "",
      " Note:",
      "",
      " For the transformer windings the needed cross section of the wire according to the "
      "maximum current",
      " can also be indicated as number of wires to switch parallel after specifying the "
      "diameter of the chosen wire.",
      "?> Cross section / number of wires (see note above) [" + kCrossSectionAnswer + "] => " +
          kCrossSectionAnswer,
      "\f",
      "",
      // "Irms/cross s.*" ends on a zone start, so "Umin/Umax/V" lands at column 56.
      "Windg.        n / I/A       Irms/cross s.*              Umin/Umax/V Uact/V",
      "",
      "",
      "Prim.          53 / 0.89     1.61 / 0.27 ",
      "",
      "IC-supply      9                                         16.46 ",
      "",
      "U 1            53 / 0.5      0.79 / 0.13   99 / 101      100.04 ",
      "",
      // 1.59 / 6 = 0.265 rounds half-to-even to 0.26.
      "U 2            9 / 1         1.59 / 0.26   15.5 / 16.5   16.16 ",
      "",
      "U 3            5 / 1         1.59 / 0.26   8 / 9         8.53 ",
      "",
      "",
      " * 'cross s.' = minimum cross section of needed wire for highest current.",
      "",
      " Continue ?                               (1)",
      "",
      " Change manually                          (2)",
      "",
      " Optimization of the output voltages      (3)",
      "",
      " Show transformer data                    (Ret)",
      "?> Choice for continuation [transformer data (Ret)  continue(1) change manually (2) "
      "optimization (3)] => <cancel>",
  };
  ASSERT_EQ(run.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.lines[i], expected[i]) << i;
  EXPECT_TRUE(run.state.inputs.wire_answered);
  EXPECT_FALSE(run.state.inputs.wire_counts);
  EXPECT_TRUE(run.state.flow.turns_kept);
}

TEST(WindingTable, NumberOfWiresOfTheChosenDiameter) {
  const ScriptRun run = RunScript("1\n\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  EXPECT_NEAR(run.state.inputs.A_wire, 0.061575, 5e-7);
  EXPECT_DOUBLE_EQ(run.state.inputs.d_wire, 0.28);
  const int question = run.Find("?> Cross section / number of wires");
  ASSERT_NE(question, -1);
  const std::vector<std::string> expected = {
      "?> Cross section / number of wires (see note above) [" + kCrossSectionAnswer + "] => 1",
      "",
      "Diameter of wire ?",
      "?> Diameter of wire ? [0.28] => 0.28",
      "\f",
      "",
      "Windg.        n / I/A       Ieff/wires*   Umin/Umax/V Uact/V",
      "",
      "",
      // 0.27 / 0.061575 = 4.38: five wires.
      "Prim.          53 / 0.89     1.61 / 5 ",
      "",
      "IC-supply      9                                         16.46 ",
      "",
      "U 1            53 / 0.5      0.79 / 3      99 / 101      100.04 ",
      "",
      // 0.26 / 0.061575 = 4.22: five wires.
      "U 2            9 / 1         1.59 / 5      15.5 / 16.5   16.16 ",
      "",
      "U 3            5 / 1         1.59 / 5      8 / 9         8.53 ",
      "",
      "",
      " * Diameter of wire:  0.28 mm",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(question) + i], expected[i]) << i;
  }
}

TEST(WindingTable, WireDiameterMustBePositive) {
  const ScriptRun run =
      RunScript("1\n0\n0.5\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  EXPECT_TRUE(run.Has("?> Diameter of wire ? [0.28] {Please enter a value above 0.} => 0.5"));
  EXPECT_DOUBLE_EQ(run.state.inputs.d_wire, 0.5);
}

TEST(WindingTable, OnlyTheAnswerOneSelectsWireCounts) {
  struct Case {
    const char* answers;  // the wire answer, then the diameter if asked
    bool answered;
    bool counts;
  };
  const Case cases[] = {
      {"1\n0.3\n", true, true}, {"0\n", false, false}, {" 1\n", true, false},
      {"01\n", true, false},    {"\n", true, false},  // the default answer: cross-sections
  };
  for (const Case& c : cases) {
    const ScriptRun run = RunScript(c.answers, Page::kWireQuestion, Calculated(ThreeOutputDemo()));
    EXPECT_EQ(run.state.inputs.wire_answered, c.answered) << c.answers;
    EXPECT_EQ(run.state.inputs.wire_counts, c.counts) << c.answers;
  }
}

TEST(WindingTable, AnswerZeroAsksTheWireQuestionAgainAtTheNextShowing) {
  // Table, continuation menu "(Ret)", result screen, Return: the table again.
  const ScriptRun zero = RunScript("0\n\n\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  EXPECT_EQ(Count(zero, "?> Cross section / number of wires"), 2);
  EXPECT_NE(zero.Find(" * 'cross s.' = minimum cross section"), -1);
  const ScriptRun zero_point =
      RunScript("0.0\n\n\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  EXPECT_EQ(Count(zero_point, "?> Cross section / number of wires"), 2);
  // Any other answer is kept: the table comes without the question.
  const ScriptRun text = RunScript("abc\n\n\n", Page::kWindingTable, Calculated(ThreeOutputDemo()));
  EXPECT_EQ(Count(text, "?> Cross section / number of wires"), 1);
  EXPECT_EQ(Count(text, "Windg."), 2);
}

TEST(WindingTable, WireQuestionEntryAlwaysAsks) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.wire_answered = true;
  EXPECT_EQ(Count(RunScript("", Page::kWindingTable, s), "?> Cross section / number of wires"), 0);
  const ScriptRun run = RunScript("1\n0.3\n", Page::kWireQuestion, s);
  EXPECT_TRUE(run.state.inputs.wire_counts);
  EXPECT_DOUBLE_EQ(run.state.inputs.d_wire, 0.3);
  EXPECT_NE(run.Find(" * Diameter of wire:  0.3 mm"), -1);
}

TEST(WindingTable, ManualModeLeadsToTheManualKeysAndKeepsTheTurnsFlag) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.wire_answered = true;
  s.flow.manual_mode = true;
  const ScriptRun run = RunScript("", Page::kWindingTable, s);
  EXPECT_FALSE(run.state.flow.turns_kept);
  EXPECT_EQ(run.Find(" Continue ?"), -1);
  EXPECT_NE(run.Find("Outp. Volt. higher (+)"), -1);
}

TEST(ContinuationMenu, Choices) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.wire_answered = true;
  EXPECT_NE(RunScript("1\n", Page::kContinuationMenu, s).Find("?> Choice for continuation [1]"),
            -1);
  EXPECT_NE(RunScript("2\n", Page::kContinuationMenu, s).Find("?> Manually Change [b]"), -1);
  EXPECT_NE(
      RunScript("3\n", Page::kContinuationMenu, s).Find("OPTIMIZATION OF THE OUTPUT VOLTAGES"), -1);
  for (const char* other : {"\n", "0\n", "x\n", " 1\n"}) {
    EXPECT_NE(RunScript(other, Page::kContinuationMenu, s).Find("    Result:"), -1) << other;
  }
}

}  // namespace
}  // namespace flyback
