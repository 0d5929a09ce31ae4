// The enamelled-wire catalogue (IEC 60317-0-1 Table 1) and the creepage
// distances of reinforced insulation (IEC 60664-1 Table F.4, pollution
// degree 2, material group III) the winding sheet is built from.

#include <gtest/gtest.h>

#include <optional>

#include "engine/design_report/enamelled_wire.h"
#include "engine/design_report/insulation_distance.h"

namespace flyback {
namespace {

TEST(EnamelledWires, EveryRowGrowsAndItsEnamelGrowsWithTheGrade) {
  double previous_mm = 0;
  for (const EnamelledWire& wire : EnamelledWires()) {
    EXPECT_GT(wire.d_nominal_mm, previous_mm);
    EXPECT_GT(wire.d_grade1_mm, wire.d_nominal_mm) << wire.d_nominal_mm;
    EXPECT_GT(wire.d_grade2_mm, wire.d_grade1_mm) << wire.d_nominal_mm;
    // Grade 2 enamel adds at most about 13 % to the thinnest sizes.
    EXPECT_LT(wire.d_grade2_mm, 1.26 * wire.d_nominal_mm) << wire.d_nominal_mm;
    previous_mm = wire.d_nominal_mm;
  }
}

TEST(EnamelledWires, TheNextSizeKeepsTheCopper) {
  const struct {
    double d_bare_mm;
    double nominal_mm;  // 0: above the table
    double outer_mm;
  } cases[] = {
      // The demonstration's primary: 0.27 mm² is a round wire of 0.586 mm.
      {0.5863, 0.63, 0.704}, {0.63, 0.63, 0.704},  // a standard size is its own
      {0.4068, 0.45, 0.513}, {0.05, 0.1, 0.125},  {2.0, 2.0, 2.112}, {2.01, 0, 0},
  };
  for (const auto& c : cases) {
    const std::optional<EnamelledWire> wire = StandardWireAtLeast(c.d_bare_mm);
    if (c.nominal_mm == 0) {
      EXPECT_FALSE(wire) << c.d_bare_mm;
      continue;
    }
    ASSERT_TRUE(wire) << c.d_bare_mm;
    EXPECT_EQ(wire->d_nominal_mm, c.nominal_mm) << c.d_bare_mm;
    EXPECT_EQ(wire->d_grade2_mm, c.outer_mm) << c.d_bare_mm;
  }
}

TEST(InsulationDistance, CreepageAndMarginFromTheWorkingVoltage) {
  const struct {
    double U_V;
    double basic_mm;   // -1: beyond the table
    double margin_mm;  // each side of a margin-wound bobbin
  } cases[] = {
      {24, 1.2, 1.2},   // below the first row: the row of 50 V
      {250, 2.5, 2.5},  // 230 V mains: 5 mm reinforced, the usual 2.5 mm margins
      {400, 4.0, 4.0},
      // The demonstration's drain peak: 5.0 + 98/130 · 1.3 = 5.98 mm, a
      // 6.0 mm margin on each side for 11.96 mm reinforced.
      {598, 5.98, 6.0},
      {1000, 10.0, 10.0},
      {1001, -1, -1},
  };
  for (const auto& c : cases) {
    const std::optional<double> basic = BasicCreepage_mm(c.U_V);
    const std::optional<double> margin = ReinforcedMargin_mm(c.U_V);
    if (c.basic_mm < 0) {
      EXPECT_FALSE(basic) << c.U_V;
      EXPECT_FALSE(margin) << c.U_V;
      continue;
    }
    ASSERT_TRUE(basic && margin) << c.U_V;
    EXPECT_NEAR(*basic, c.basic_mm, 1e-9) << c.U_V;
    EXPECT_NEAR(*margin, c.margin_mm, 1e-9) << c.U_V;
  }
}

}  // namespace
}  // namespace flyback
