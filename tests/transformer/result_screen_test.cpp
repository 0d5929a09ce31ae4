// The result screen of the demonstration designs and its variants.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/transformer/winding_values.h"
#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

ScriptRun ShowResult(const DesignState& s, const std::string& answers = "") {
  return RunScript(answers, Page::kResultScreen, s);
}

void ExpectLinesFrom(const ScriptRun& run, int first, const std::vector<std::string>& expected) {
  ASSERT_NE(first, -1);
  ASSERT_GE(run.lines.size(), static_cast<std::size_t>(first) + expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(first) + i], expected[i]) << i;
  }
}

TEST(ResultScreen, ThreeOutputDemonstrationDesign) {
  DesignState s = Calculated(ThreeOutputDemo());
  const ScriptRun run = ShowResult(s);
  ExpectLinesFrom(run, 0,
                  {
                      "\f",
                      "",
                      "    Result:",
                      "",
                      "    Core = SMT 31/190 (Orega), AL = 190 nH, Ae = 125 mm²",
                      "",
                      "    Input- voltage- range                  90 V - 270 V",
                      // From 53 whole turns: 0.001 × 190 × 53 × 53 = 533.71 µH.
                      "    Primary inductivity                    534  µH",
                      "    Max. magnetization, 23.7 kHz           340  mT",
                      "    Max. input- / outputpower              89.4 W / 76 W",
                      // QMP03N60X5, 1.4 Ohm: 7.29 W.
                      "    Max. cond. loss in QMP03N60X5          7.3 W",
                      "    Induced voltage in prim. winding       102 V",
                      "    Max. drain voltage                     598  V",
                      "    Max. drain current, 24 kHz             4.19  A",
                      "    Lowest SMPS- frequency / long. per.    23.7 kHz / 42.1 µs",
                      "    Sec. voltage per turn                  1.91  V",
                      "    Max. switch on time                    17.8 µs",
                      "",
                      "    Giving out number of turns and voltages ? Yes(Ret) No(1)",
                      "?> Show number of turns and voltages? [yes(Ret) No(1)] => <cancel>",
                  });
  EXPECT_DOUBLE_EQ(PrimaryRmsCurrent(run.state.inputs, run.state.transformer), 1.61);
  EXPECT_DOUBLE_EQ(run.state.components.R_DSon, 1.4);
}

TEST(ResultScreen, DeterminesTheTurnsUnlessTheyAreKept) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation calculation(CalculationEntry::kFullStart,
                                     CalculationRules::kEnforceLimits);
  calculation.Run(s.inputs, s.transformer, true);
  s.inputs.U_D_lim = 600;
  calculation.Run(s.inputs, s.transformer, false);
  ASSERT_DOUBLE_EQ(s.transformer.nic, 0);
  const ScriptRun fresh = ShowResult(s);
  EXPECT_DOUBLE_EQ(fresh.state.transformer.nic, 9);
  EXPECT_DOUBLE_EQ(fresh.state.transformer.n_out(1), 53);

  DesignState kept = fresh.state;
  kept.flow.turns_kept = true;
  kept.transformer.n_out(1) = 60;
  kept.transformer.nic = 7.5;
  const ScriptRun again = ShowResult(kept);
  EXPECT_DOUBLE_EQ(again.state.transformer.n_out(1), 60);
  EXPECT_DOUBLE_EQ(again.state.transformer.nic, 7.5);
}

TEST(ResultScreen, AnswerOneLeadsToTheMainMenuAnythingElseToTheWindingTable) {
  const DesignState s = Calculated(ThreeOutputDemo());
  EXPECT_NE(ShowResult(s, "1\n").Find("?> Choice for continuation [1]"), -1);
  for (const char* answer : {"\n", "0\n", " 1\n"}) {
    const ScriptRun run = ShowResult(s, answer);
    EXPECT_NE(run.Find("?> Cross section / number of wires"), -1) << answer;
  }
}

TEST(ResultScreen, ManualModeGoesStraightToTheWindingTable) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.flow.manual_mode = true;
  s.inputs.wire_answered = true;
  const ScriptRun run = ShowResult(s);
  EXPECT_EQ(run.Find("    Result:"), -1);
  EXPECT_NE(run.Find("Windg."), -1);
}

TEST(ResultScreen, FixedFrequencyShowsTheValuesAtTheMinimumFixedFrequency) {
  const DesignState s = Calculated(FixedFrequencyDemo(50, 70));
  const ScriptRun run = ShowResult(s);
  ExpectLinesFrom(run, run.Find("    Primary inductivity"),
                  {
                      // 31 whole turns: 182.59 µH.
                      "    Primary inductivity                    183  µH",
                      "    Max. magnetization, 70 kHz             198  mT",
                      // 198 mT × √(70.03 / 50) = 234.3 mT
                      "    Max. magnetization, 50 kHz             234  mT",
                      "    Max. input- / outputpower              89.4 W / 76 W",
                      // QMP04N60X5 (0.95 Ohm) for 4.96 A: 4.9 W × 1.1835 = 5.8 W.
                      "    Max. cond. loss QMP04N60X5, 50 kHz     5.8 W",
                      "    Induced voltage in prim. winding       102 V",
                      "    Max. drain voltage                     598  V",
                      "    Max. drain current, 50 kHz             4.96  A",
                      "    Lowest freq. (free running)                          70  kHz",
                      "    Fixed frequency range                  50 - 70 kHz",
                      "    Sec. voltage per turn                  3.27  V",
                      "    Max. switch on time                    6 µs",
                  });
  EXPECT_DOUBLE_EQ(ConductionLoss(run.state.transformer, run.state.components.R_DSon), 4.9);
  // 1.61 A × k_fix 1.0879 = 1.75 A
  EXPECT_DOUBLE_EQ(PrimaryRmsCurrent(run.state.inputs, run.state.transformer), 1.75);
  // PWX 40218-2 family: 12 V supply, 12.7 / 3.2735 = 3.88 turns.
  EXPECT_DOUBLE_EQ(run.state.transformer.nic, 4);
}

TEST(ResultScreen, DcInputShowsTheEnteredValues) {
  DesignState s = ThreeOutputDemo();
  s.inputs.dc_input = true;
  s.inputs.U_DC_min = 300;
  s.inputs.U_DC_max = 400;
  s.inputs.U_mains_min = 300 / std::sqrt(2.0);
  s.inputs.U_mains_max = 400 / std::sqrt(2.0);
  const ScriptRun run = ShowResult(Calculated(s));
  EXPECT_TRUE(run.Has("    Input- voltage- range                  300 V - 400 V DC"));
}

TEST(ResultScreen, OnlyTheLayerTypeAnswerOneShowsTheAirgap) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.tr_name = "E36/11";
  s.inputs.g = 1.5;
  s.inputs.AL = 181.5 * std::pow(1.5, -0.749);  // 133.96 nH
  s.inputs.Ae = 120;
  s.inputs.tr_kind = TransformerKind::kLayerCore;
  s.inputs.airgap_shown = true;
  EXPECT_TRUE(ShowResult(s).Has("    Core = E36/11, g =  1.5 mm, AL = 134 nH, Ae = 120 mm²"));
  s.inputs.airgap_shown = false;
  EXPECT_TRUE(ShowResult(s).Has("    Core = E36/11, AL = 134 nH, Ae = 120 mm²"));
}

TEST(ResultScreen, TemporaryHighPowerAddsThePermanentPowerLimit) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.THP = true;
  s.inputs.P_perm = 50;
  const ScriptRun run = ShowResult(s);
  const int power = run.Find("    Max. input- / outputpower");
  ASSERT_NE(power, -1);
  EXPECT_EQ(run.lines[static_cast<std::size_t>(power) + 1],
            "    Limit of permanent output power        50 W");
}

}  // namespace
}  // namespace flyback
