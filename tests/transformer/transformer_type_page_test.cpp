// The transformer-type pages on scripted answers.

#include <gtest/gtest.h>

#include <utility>

#include "support/script_run.h"
#include "transformer/demo_designs.h"

namespace flyback {
namespace {

// Runs the transformer pages; the overshoot question (no answer left) ends it.
ScriptRun ChooseTransformer(const std::string& answers, DesignState s = ThreeOutputDemo()) {
  return RunScript(answers, Page::kTransformerType, std::move(s));
}

TEST(TransformerTypePage, ReturnSelectsTheSlotTransformerForTheNumberOfOutputs) {
  const ScriptRun three = ChooseTransformer("\n\n");
  EXPECT_EQ(three.state.inputs.tr_kind, TransformerKind::kSlotTransformer);
  EXPECT_EQ(three.state.inputs.tr_type_answer, "2");
  EXPECT_FALSE(three.state.inputs.airgap_shown);
  EXPECT_EQ(three.state.inputs.tr_name, "SMT 31/190 (Orega)");
  EXPECT_DOUBLE_EQ(three.state.inputs.AL, 190);
  EXPECT_DOUBLE_EQ(three.state.inputs.Ae, 125);
  EXPECT_TRUE(three.Has("?> Choice of the transformer [4] => 4"));
  EXPECT_NE(three.Find("?> Overshoot factor for drain voltage"), -1);

  const ScriptRun four = ChooseTransformer("\n\n", FourOutputDemo());
  EXPECT_EQ(four.state.inputs.tr_name, "SMT 4/192");
  EXPECT_DOUBLE_EQ(four.state.inputs.AL, 192);
  EXPECT_DOUBLE_EQ(four.state.inputs.Ae, 180);
  // 0 takes row 4 even where the default is 7.
  EXPECT_EQ(ChooseTransformer("\n0\n", FourOutputDemo()).state.inputs.tr_name,
            "SMT 31/190 (Orega)");
  EXPECT_EQ(ChooseTransformer("\nabc\n").state.inputs.tr_name, "SMT 1/220 (Orega)");
  EXPECT_EQ(ChooseTransformer("\n 12 \n").state.inputs.tr_name, "SMT 89/340 (Orega)");
}

TEST(TransformerTypePage, TypeMenuAndSlotTable) {
  const ScriptRun run = ChooseTransformer("\n\n");
  const std::vector<std::string> expected = {
      "\f",
      "Type of transformer",
      "",
      "Layer type transformer      (1)",
      "",
      "Slot type transformer       (2)",
      "",
      "Other transformer           (3)",
      "?> Type of transformer [2] => 2",
      "\f",
      "Output power P_out_max =  76  W",
      "",
      "Type of transformer:        Al/nH         Ae/mm²        Range P_out_max",
      "",
      "SMT 1/220     (1)           220           90            10 W....30 W",
      "SMT 1/240     (2)           240           90            10 W....30 W",
      "SMT 1/260     (3)           260           90            10 W....30 W",
      "",
      "SMT 31/190    (4)           190           125           20 W....80 W",
      "SMT 31/220    (5)           220           125           20 W....80 W",
      "SMT 31/250    (6)           250           125           20 W....80 W",
      "",
      "SMT 4/192     (7)           192           180           50 W...200 W",
      "SMT 4/238     (8)           238           180           50 W...200 W",
      "SMT 4/250     (9)           250           180           50 W...200 W",
      "SMT 4/280     (10)          280           180           50 W...200 W",
      "",
      "SMT 89/303    (11)          303           330           150 W..350 W",
      "SMT 89/340    (12)          340           330           150 W..300 W",
      "?> Choice of the transformer [4] => 4",
  };
  ASSERT_GE(run.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.lines[i], expected[i]) << i;
}

TEST(TransformerTypePage, LayerTypeWithReturnTakesE36AtOnePointFiveMillimetres) {
  const ScriptRun run = ChooseTransformer("1\n\n\n");
  EXPECT_EQ(run.state.inputs.tr_kind, TransformerKind::kLayerCore);
  EXPECT_TRUE(run.state.inputs.airgap_shown);
  EXPECT_EQ(run.state.inputs.tr_name, "E36/11");
  EXPECT_DOUBLE_EQ(run.state.inputs.g, 1.5);
  EXPECT_NEAR(run.state.inputs.AL, 133.96, 5e-3);
  EXPECT_DOUBLE_EQ(run.state.inputs.Ae, 120);
  const int table = run.Find("Type of transformer ");
  ASSERT_NE(table, -1);
  const std::vector<std::string> expected = {
      "Type of transformer         Ae/mm²        Range P_out_max",
      "",
      "EF 25         (0)           52.5          5 W.....20 W",
      "ETD 29        (1)           76            10 W....30 W",
      "E36/11        (2)           120           20 W....80 W",
      "ER42/15       (3)           170           50 W....200 W",
      "E42/21/20     (4)           234           100 W...300 W",
      "ETD 54        (5)           280           100 W...320 W",
      "E55/28/21     (6)           354           150 W...400 W",
      "",
      "?> Type of transformer [2] => 2",
      "?> Airgap in mm [1.5] => 1.5",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(table) + i], expected[i]) << i;
  }
}

TEST(TransformerTypePage, AnyOtherTypeAnswerShowsTheLayerPageAndFallsBackToEf25) {
  const ScriptRun run = ChooseTransformer("7\n7\n\n");
  EXPECT_EQ(run.state.inputs.tr_kind, TransformerKind::kLayerCore);
  EXPECT_EQ(run.state.inputs.tr_type_answer, "7");
  EXPECT_FALSE(run.state.inputs.airgap_shown);
  EXPECT_EQ(run.state.inputs.tr_name, "EF 25");
  EXPECT_NEAR(run.state.inputs.AL, 66.91, 5e-3);
  EXPECT_DOUBLE_EQ(run.state.inputs.Ae, 52.5);
}

TEST(TransformerTypePage, AirgapMustBePositive) {
  const ScriptRun run = ChooseTransformer("1\n3\n0\n-1\n2\n");
  EXPECT_TRUE(run.Has("?> Airgap in mm [1.5] {Please enter a value above 0.} => -1"));
  EXPECT_TRUE(run.Has("?> Airgap in mm [1.5] {Please enter a value above 0.} => 2"));
  EXPECT_DOUBLE_EQ(run.state.inputs.g, 2);
  EXPECT_EQ(run.state.inputs.tr_name, "ER42/15");
}

TEST(TransformerTypePage, OtherTransformerIsDescribedByNameAlAndAe) {
  const ScriptRun run = ChooseTransformer("3\n\n0\n\n-3\n150\n");
  EXPECT_EQ(run.state.inputs.tr_name, "Tr1");
  EXPECT_DOUBLE_EQ(run.state.inputs.AL, 180);
  EXPECT_DOUBLE_EQ(run.state.inputs.Ae, 150);
  const std::vector<std::string> expected = {
      "\f",
      "Output power P_out_max =  76  W",
      "",
      "Name of transformer:",
      "?> Name of transformer ? [Tr1] => Tr1",
      "AL- value = ? (nH)",
      "?> AL-value in nH [180] => 0",
      "?> AL-value in nH [180] {Please enter a value above 0.} => 180",
      "Ae- value = ? (mm²)",
      "?> Ae-value in mm² [120] => -3",
      "?> Ae-value in mm² [120] {Please enter a value above 0.} => 150",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.lines[9 + i], expected[i]) << i;
}

TEST(TransformerTypePage, ModifyTransformerWithAnotherAirgapChangesOnlyAl) {
  const ScriptRun first = ChooseTransformer("1\n2\n1\n");
  ASSERT_DOUBLE_EQ(first.state.inputs.AL, 181.5);
  const ScriptRun second = ChooseTransformer("1\n2\n2\n", first.state);
  EXPECT_EQ(second.state.inputs.tr_name, "E36/11");
  EXPECT_DOUBLE_EQ(second.state.inputs.Ae, 120);
  // 181.5 nH x 2^-0.749 = 181.5 x e^(-0.749 x 0.693147) = 181.5 x 0.595016 = 107.995 nH.
  EXPECT_NEAR(second.state.inputs.AL, 107.995, 5e-4);
}

}  // namespace
}  // namespace flyback
