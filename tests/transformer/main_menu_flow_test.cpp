// The transformer pages reached again from the main menu, after the
// three-output demonstration design (Return everywhere, continuation "1").

#include <gtest/gtest.h>

#include <algorithm>

#include "support/script_run.h"

namespace flyback {
namespace {

const std::string kToMainMenu = std::string(25, '\n') + "1\n";

int Count(const ScriptRun& run, const std::string& prefix) {
  return static_cast<int>(std::count_if(run.lines.begin(), run.lines.end(),
                                        [&](const auto& l) { return l.rfind(prefix, 0) == 0; }));
}

TEST(MainMenuFlow, DemonstrationDesignReachesTheMainMenu) {
  const ScriptRun run = RunScript(kToMainMenu);
  EXPECT_TRUE(run.Has("?> Choice for continuation [1] => <cancel>"));
  EXPECT_TRUE(run.state.flow.turns_kept);
  EXPECT_DOUBLE_EQ(run.state.transformer.nic, 9);
}

TEST(MainMenuFlow, ChoiceFourAsksTheWireQuestionAgain) {
  const ScriptRun run = RunScript(kToMainMenu + "4\n1\n\n");
  EXPECT_EQ(Count(run, "?> Cross section / number of wires"), 2);
  EXPECT_TRUE(run.Has(" * Diameter of wire:  0.28 mm"));
  EXPECT_TRUE(run.Has("U 2            9 / 1         1.59 / 5      15.5 / 16.5   16.16 "));
  EXPECT_NE(run.Find(" Continue ?", run.Find(" * Diameter of wire:")), -1);
}

TEST(MainMenuFlow, ChoiceFiveShowsTheTableWithoutTheQuestion) {
  const ScriptRun run = RunScript(kToMainMenu + "5\n");
  EXPECT_EQ(Count(run, "?> Cross section / number of wires"), 1);
  EXPECT_EQ(Count(run, "Windg."), 2);
  EXPECT_EQ(Count(run, " Continue ?"), 2);
}

TEST(MainMenuFlow, ChoiceSixSkipsTheMainsPagesAndCalculatesAtOnce) {
  // Layer type E36/11 at 1.5 mm, overshoot 1.75; twice in a row.
  const ScriptRun run = RunScript(kToMainMenu + "6\n1\n\n\n\n1\n6\n\n\n\n");
  EXPECT_EQ(Count(run, "?> Mains input voltage range in V"), 1);
  EXPECT_EQ(Count(run, "?> Limit of drain voltage (see note above)"), 1);
  EXPECT_EQ(Count(run, "?> Overshoot factor for drain voltage"), 3);
  EXPECT_TRUE(run.Has("    Core = E36/11, g =  1.5 mm, AL = 134 nH, Ae = 120 mm²"));
  EXPECT_TRUE(run.state.flow.modify_transformer);
  EXPECT_EQ(run.state.inputs.tr_name, "SMT 31/190 (Orega)");
  EXPECT_EQ(Count(run, "    Result:"), 3);
}

TEST(MainMenuFlow, ChoiceSevenAsksTheMainsRangeAgainAfterChoiceSix) {
  const ScriptRun run = RunScript(kToMainMenu + "6\n\n\n\n1\n7\n1\n\n\n");
  EXPECT_EQ(Count(run, "?> Mains input voltage range in V"), 2);
  EXPECT_EQ(Count(run, "?> Overshoot factor for drain voltage"), 2);
  EXPECT_FALSE(run.state.flow.modify_transformer);
  EXPECT_TRUE(run.Has("    Input- voltage- range                  180 V - 270 V"));
  // The drain limit is asked only once per run.
  EXPECT_EQ(Count(run, "?> Limit of drain voltage (see note above)"), 1);
}

TEST(MainMenuFlow, NewCalculationDeterminesTurnsSetByHandAgain) {
  // Continuation "2", output 1 set to 60 turns, "b", continuation "1"; then
  // main menu 7 with Return on the mains pages.
  const std::string answers = std::string(25, '\n') + "2\nt\n1\n60\nb\n1\n" + "7\n\n\n\n";
  const ScriptRun run = RunScript(answers);
  EXPECT_NE(run.Find("U 1            60 / 0.5"), -1);
  EXPECT_FALSE(run.state.flow.turns_kept);
  EXPECT_DOUBLE_EQ(run.state.transformer.n_out(1), 53);
}

}  // namespace
}  // namespace flyback
