#include "reports/component_list_rows.h"

#include <gtest/gtest.h>

#include "reports/component_list_lines.h"

namespace flyback {
namespace {

std::string Text(const PartRow& row, const DesignState& s) {
  return LayoutFixedPitch(PartLine(row, s));
}

TEST(ComponentListRows, ValuesBelowOneGoToTheSmallerUnit) {
  DesignState s;
  const PartRow c30 = DimensionedPart(ListCondition::kAlways, "      C30", &DesignState::C30, "nF",
                                      " 63 V", 1, "pF");
  s.C30 = 0.47;
  EXPECT_EQ(Text(c30, s), "      C30      470 pF        63 V");
  s.C30 = 1;
  EXPECT_EQ(Text(c30, s), "      C30      1 nF          63 V");
  const PartRow r60 = DimensionedPart(ListCondition::kAlways, "      R60", &DesignState::R60,
                                      "kOhm", "1/4 W", 1, "Ohm");
  s.R60 = 0.82;
  EXPECT_EQ(Text(r60, s), "      R60      820 Ohm      1/4 W");
}

TEST(ComponentListRows, StartUpResistorsInMegaohmAbove150V) {
  const PartRow high = DimensionedPart(ListCondition::kMainsAbove150V, "      R23",
                                       &DesignState::R23, "MOhm", " voltage proof", 1000);
  const PartRow low =
      DimensionedPart(ListCondition::kMainsAtMost150V, "      R23", &DesignState::R23, "kOhm", "");
  DesignState s;
  s.R23 = 3900;
  s.U_mains_max = 150;
  EXPECT_FALSE(ListConditionHolds(high.when, s));
  EXPECT_EQ(Text(low, s), "      R23      3900 kOhm");
  s.U_mains_max = 151;
  EXPECT_TRUE(ListConditionHolds(high.when, s));
  EXPECT_FALSE(ListConditionHolds(low.when, s));
  EXPECT_EQ(Text(high, s), "      R23      3.9 MOhm      voltage proof");
  s.R23 = 390;  // the low-voltage value
  EXPECT_EQ(Text(high, s), "      R23      0.39 MOhm     voltage proof");
}

TEST(ComponentListRows, EmptyAndHeadingRows) {
  DesignState s;
  EXPECT_TRUE(PartLine(EmptyRow(), s).empty());
  EXPECT_EQ(Text(TextRow("      IC-specific components:"), s), "      IC-specific components:");
}

TEST(ComponentListLines, OptoAdjustmentRangeOfTheDividerDefaults) {
  // U_opto 135 V: R60 5.1 kOhm, P60 2 kOhm, R65 300 kOhm around 2.5 V.
  DesignState s;
  s.U_ref = 2.5;
  s.R60 = 5.1;
  s.P60 = 2;
  s.R65 = 300;
  EXPECT_DOUBLE_EQ(OptoRangeLow(s), 108.1);   // 2.5 × 307.1 / 7.1 = 108.13
  EXPECT_DOUBLE_EQ(OptoRangeHigh(s), 149.6);  // 2.5 × 305.1 / 5.1 = 149.56
}

}  // namespace
}  // namespace flyback
