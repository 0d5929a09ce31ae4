#include <gtest/gtest.h>

#include "support/script_run.h"

namespace flyback {
namespace {

TEST(MainMenu, ChoiceNumbersStandInTheFourthZone) {
  const ScriptRun run = RunScript("", Page::kMainMenu);
  ASSERT_GE(run.lines.size(), 22U);
  EXPECT_EQ(run.lines[0], "\f");
  EXPECT_EQ(run.lines[1], "");
  EXPECT_EQ(run.lines[2], "");
  EXPECT_EQ(run.lines[3], "Optimization of the output voltages       (1)");
  EXPECT_EQ(run.lines[4], "");
  EXPECT_EQ(run.lines[5], "Print the result                          (2)");
  for (int line = 3; line <= 21; line += 2) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(line)].find('('), 42U) << line;
  }
  EXPECT_EQ(run.lines[21], "Start from the beginning                  (10)");
  EXPECT_EQ(run.lines[22], "?> Choice for continuation [1] => <cancel>");
}

TEST(MainMenu, ChoicesAreReadByTheWholeAnswerRule) {
  for (const char* ten : {"10", " 10 ", "010", "10.0", "1E1"}) {
    const ScriptRun run = RunScript(std::string(ten) + "\n", Page::kMainMenu);
    EXPECT_NE(run.Find("?> continue with OK [continue] => <cancel>"), -1) << ten;
  }
}

TEST(MainMenu, OtherAnswersShowTheMenuAgain) {
  const ScriptRun run = RunScript("x\n2.5\n11\n0\n-1\n", Page::kMainMenu);
  int menus = 0;
  for (const std::string& line : run.lines) {
    if (line.rfind("?> Choice for continuation", 0) == 0) ++menus;
  }
  EXPECT_EQ(menus, 6);
  EXPECT_EQ(run.Find("?> continue with OK"), -1);
}

TEST(MainMenu, ModifyTransformerAndChangeMainsSetTheFlag) {
  DesignState state;
  EXPECT_TRUE(RunScript("6\n", Page::kMainMenu, state).state.flow.modify_transformer);
  state.flow.modify_transformer = true;
  EXPECT_FALSE(RunScript("7\n", Page::kMainMenu, state).state.flow.modify_transformer);
}

}  // namespace
}  // namespace flyback
