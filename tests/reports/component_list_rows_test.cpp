#include "engine/reports/component_list_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/components/opto_divider.h"
#include "state/design/design_state.h"

namespace flyback {
namespace {

std::string Text(const PartRow& row, const DesignState& s) {
  return LayoutFixedPitch(PrintedLine(
      RowOf(row, s.components),
      {.unit = std::string(row.printed_unit), .third_zone = std::string(row.printed_third_zone)}));
}

TEST(ComponentListRows, ValuesBelowOneGoToTheSmallerUnit) {
  DesignState s;
  const PartRow c30 = DimensionedPart(ListCondition::kAlways, "C30", &ComponentValues::C30, "nF")
                          .Rated("63 V")
                          .Scaled(1, "pF");
  s.components.C30 = 0.47;
  EXPECT_EQ(Text(c30, s), "      C30      470 pF        63 V");
  s.components.C30 = 1;
  EXPECT_EQ(Text(c30, s), "      C30      1 nF          63 V");
  const PartRow r60 = DimensionedPart(ListCondition::kAlways, "R60", &ComponentValues::R60, "kOhm")
                          .Rated("1/4 W")
                          .Scaled(1, "Ohm")
                          .PrintedAs("", "1/4 W");
  s.components.R60 = 0.82;
  EXPECT_EQ(Text(r60, s), "      R60      820 Ohm      1/4 W");
  const ComponentRow row = RowOf(r60, s.components);
  EXPECT_EQ(row.value, 820);
  EXPECT_EQ(row.unit, "Ohm");
  EXPECT_EQ(row.rating, "1/4 W");
}

TEST(ComponentListRows, StartUpResistorsInMegaohmAbove150V) {
  const PartRow high =
      DimensionedPart(ListCondition::kMainsAbove150V, "R23", &ComponentValues::R23, "MOhm")
          .Remarked("voltage proof")
          .Scaled(1000);
  const PartRow low =
      DimensionedPart(ListCondition::kMainsAtMost150V, "R23", &ComponentValues::R23, "kOhm");
  DesignState s;
  s.components.R23 = 3900;
  s.inputs.U_mains_max = 150;
  EXPECT_FALSE(ListConditionHolds(high.when, s.inputs));
  EXPECT_EQ(Text(low, s), "      R23      3900 kOhm");
  s.inputs.U_mains_max = 151;
  EXPECT_TRUE(ListConditionHolds(high.when, s.inputs));
  EXPECT_FALSE(ListConditionHolds(low.when, s.inputs));
  EXPECT_EQ(Text(high, s), "      R23      3.9 MOhm      voltage proof");
  s.components.R23 = 390;  // the low-voltage value
  EXPECT_EQ(Text(high, s), "      R23      0.39 MOhm     voltage proof");
}

TEST(ComponentListRows, EmptyRowsWriteEmptyLinesAndNoParts) {
  const DesignState s;
  ComponentListWriter list;
  WritePartRows(std::to_array({EmptyRow(), EmptyRow(ListCondition::kOpto)}), s.inputs, s.components,
                list);
  EXPECT_EQ(list.TakeLines().size(), 1u);  // no opto regulation
  EXPECT_TRUE(list.TakeRows().empty());
}

TEST(ComponentListRows, PrintedWordsReplaceOnlyWhatTheyName) {
  const ComponentRow p10{
      .designator = "P10", .value = 10, .unit = "kOhm", .remark = "potentiometer"};
  EXPECT_EQ(LayoutFixedPitch(PrintedLine(p10)), "      P10      10 kOhm       potentiometer");
  EXPECT_EQ(LayoutFixedPitch(PrintedLine(p10, {.unit = " kOhm", .third_zone = " Poti"})),
            "      P10      10  kOhm      Poti");
  const ComponentRow d41{.designator = "D41", .part = "MUR 420", .rating = "200 V, 4 A, 25 ns"};
  EXPECT_EQ(LayoutFixedPitch(PrintedLine(d41, {.designator = "D4 1"})),
            "      D4 1     MUR 420       200 V, 4 A, 25 ns");
}

TEST(ComponentListLines, OptoAdjustmentRangeOfTheDividerDefaults) {
  // U_opto 135 V: R60 5.1 kOhm, P60 2 kOhm, R65 300 kOhm around 2.5 V.
  const OptoRange range = RealOptoRange(2.5, 5.1, 300, 2);
  EXPECT_DOUBLE_EQ(range.U1_low, 108.1);   // 2.5 × 307.1 / 7.1 = 108.13
  EXPECT_DOUBLE_EQ(range.U1_high, 149.6);  // 2.5 × 305.1 / 5.1 = 149.56
}

}  // namespace
}  // namespace flyback
