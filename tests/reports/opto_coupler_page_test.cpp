#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/script_run.h"

namespace flyback {
namespace {

// Lines of the transcript from `first` on, `count` of them.
std::vector<std::string> Slice(const ScriptRun& run, int first, int count) {
  if (first < 0 || first + count > static_cast<int>(run.lines.size())) return {};
  return {run.lines.begin() + first, run.lines.begin() + first + count};
}

TEST(OptoCouplerPage, DefaultDivider) {
  // U1rmin 100 V, U1rmax 150 V, P60 2 kOhm: raw R60 = 97.5 x 2 / 50 = 3.9,
  // raw R65 = 147.5 x 3.9 / 2.5 = 230.1 -> 240; real range 2.5 x 245.9 / 5.9
  // = 104.2 V to 2.5 x 243.9 / 3.9 = 156.3 V; (2.5 / 3.9)^2 x 240 = 98.6 mW.
  const ScriptRun run = RunScript("\n\n\n\n", Page::kOptoCoupler);
  const std::vector<std::string> expected = {
      "\f",
      "",
      " Range of adjustment for U1:",
      "",
      "?> U1rmin [100] => 100",
      " U1min         100 V",
      "",
      "?> U1rmax [150] => 150",
      " U1rmax        150 V",
      "?> P60 in kOhm [2] => 2",
      "",
      " P60 = 2 kOhm",
      "",
      " R60 3.9 kOhm",
      "",
      " R65 240 kOhm",
      "",
      " Real adjustment range       104.2 - 156.3 V",
      "",
      " Power dissipation in R65    98.6 mW",
      "?> Calculate once more ? [yes(1) no(Ret)] => yes(1) no(Ret)",
      "\f",
  };
  EXPECT_EQ(Slice(run, 0, static_cast<int>(expected.size())), expected);
  // The default answer leads to the main menu.
  EXPECT_NE(run.Find("?> Choice for continuation"), -1);
  EXPECT_EQ(run.state.components.U1rmin, 100);
  EXPECT_EQ(run.state.components.U1rmax, 150);
  EXPECT_EQ(run.state.components.P60, 2);
  EXPECT_EQ(run.state.components.U_ref, 2.5);
  EXPECT_DOUBLE_EQ(run.state.components.R60, 3.9);
  EXPECT_DOUBLE_EQ(run.state.components.R65, 240);
}

TEST(OptoCouplerPage, OnlyExactlyOneCalculatesOnceMore) {
  const ScriptRun again = RunScript("\n\n\n1\n", Page::kOptoCoupler);
  EXPECT_NE(again.Find("?> U1rmin [100]", 5), -1);
  const ScriptRun menu = RunScript("\n\n\n 1\n", Page::kOptoCoupler);
  EXPECT_EQ(menu.Find("?> U1rmin [100]", 5), -1);
  EXPECT_NE(menu.Find("?> Choice for continuation"), -1);
}

TEST(OptoCouplerPage, RangeEndsMustDiffer) {
  const ScriptRun run = RunScript("120\n120\n130\n\n", Page::kOptoCoupler);
  EXPECT_TRUE(run.Has("?> U1rmax [150] => 120"));
  EXPECT_TRUE(run.Has("?> U1rmax [150] {Please enter a value different from U1rmin.} => 130"));
  EXPECT_TRUE(run.Has(" U1rmax        130 V"));
  EXPECT_EQ(run.state.components.U1rmax, 130);
}

TEST(OptoCouplerPage, NegativeTrimmerIsAskedAgainZeroIsTaken) {
  const ScriptRun run = RunScript("\n\n-1\n0\n", Page::kOptoCoupler);
  EXPECT_TRUE(run.Has("?> P60 in kOhm [2] {Please enter a value above 0.} => 0"));
  EXPECT_EQ(run.state.components.P60, 0);
  // With no trimmer the raw R60 is 0: the rounding guard gives 0.000001.
  EXPECT_TRUE(run.Has(" R60 0.000001 kOhm"));
}

TEST(OptoCouplerPage, RangeAtTheReferenceGoesThroughTheRoundingGuard) {
  // U1rmin 2 V is below the 2.5 V reference: raw R60 = -0.5 x 2 / 1 -> 0.000001;
  // R65 = round_e24(0.5 x 0.000001 / 2.5) = 0.0000002; real range
  // 2.5 x 2.0000012 / 2.000001 = 2.5 V to 2.5 x 0.0000012 / 0.000001 = 3 V;
  // (2.5 / 0.000001)^2 x 0.0000002 = 1250000 mW.
  const ScriptRun run = RunScript("2\n3\n\n", Page::kOptoCoupler);
  EXPECT_TRUE(run.Has(" R60 0.000001 kOhm"));
  EXPECT_TRUE(run.Has(" R65 0.0000002 kOhm"));
  EXPECT_TRUE(run.Has(" Real adjustment range       2.5 - 3 V"));
  EXPECT_TRUE(run.Has(" Power dissipation in R65    1250000 mW"));
}

TEST(OptoCouplerPage, EmptyAnswerEndsTheProgram) {
  const ScriptRun run = RunScript("", Page::kOptoCoupler);
  EXPECT_EQ(run.lines.back(), "?> U1rmin [100] => <cancel>");
}

}  // namespace
}  // namespace flyback
