// The component list of the three-output demonstration design (PFC with the
// conventional filter, QRM1X305, no opto regulation) as rows.

#include "engine/reports/component_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/components/dimensioning.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState DemonstrationDesign() {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.filter = MainsFilter::kConventional;
  s.components = dimension_components(s);
  return s;
}

const ComponentRow* Find(const std::vector<ComponentRow>& rows, const std::string& name) {
  for (const ComponentRow& row : rows) {
    if (row.designator == name) return &row;
  }
  return nullptr;
}

TEST(ComponentList, OneRowPerDesignatorInTheOrderOfTheList) {
  // List 1 with PFC and 89.4 W (C03, C04), the QRM1X305 block without opto
  // regulation (P10), and the three outputs of List 2.
  const std::vector<std::string> expected = {
      "C01", "C02", "C03", "C04", "C06", "C07",  "C08", "C09", "C10", "D01-D04", "D08", "D09",
      "F01", "L01", "L08", "R06", "T01", "IC01", "C22", "C26", "C27", "C28",     "C29", "D26",
      "P10", "R22", "R29", "R35", "R37", "R38",  "C41", "C42", "C43", "D41",     "D42", "D43"};
  std::vector<std::string> designators;
  for (const ComponentRow& row : MakeComponentList(DemonstrationDesign()).rows) {
    designators.push_back(row.designator);
  }
  EXPECT_EQ(designators, expected);
}

TEST(ComponentList, TheCatalogueRulesChooseTheseParts) {
  const DesignState s = DemonstrationDesign();
  const TransformerDesign& t = s.transformer;
  // The quantities the rules choose by, in the ranges the expected rows need.
  EXPECT_LE(t.I_in_avg, 1);  // fast bridge (PFC, conventional filter): the first row
  EXPECT_EQ(s.inputs.U_D_lim, 600);
  EXPECT_GT(t.I_D_max_fix, 2.7);  // 600 V class, the row up to 4.8 A
  EXPECT_LE(t.I_D_max_fix, 4.8);
  // Output 1 (101 V, 0.5 A): 1.75 x 0.5 A = 0.875 A through the diode.
  const double U_rev_1 = t.U_bus_max * t.n_out(1) / t.n_prim * s.inputs.k_os_sec + 101;
  EXPECT_GT(U_rev_1, 600);  // 800 V class, its first row (up to 4 A)
  EXPECT_LE(U_rev_1, 800);

  const std::vector<ComponentRow> rows = MakeComponentList(s).rows;
  struct Expected {
    const char* designator;
    int quantity;
    std::optional<double> value;
    const char* unit;
    const char* part;
    const char* rating;
    const char* remark;
  };
  for (const Expected& e : std::vector<Expected>{
           // Four single diodes; the list prints "1A, 50ns".
           {"D01-D04", 4, std::nullopt, "", "BYW76", "600 V, 1 A, 50 ns", ""},
           // The list prints "600V, 1.4 Ohm, 3.2A" after the type.
           {"T01", 1, std::nullopt, "", "QMP03N60X5", "600 V, 1.4 Ohm, 3.2 A", ""},
           // 125 µF/A x 89.4 W / 90 V = 124.2 µF gives 150 µF; the 420 V bus 450 V.
           {"C07", 1, 150, "µF", "", "450 V", ""},
           // I_filter = 89.4 W / 90 V = 0.993 A, below 1 A: two windings of 33 mH.
           {"L01", 1, 33, "mH", "B82724-J2102-N1", "1 A", "filter choke, 2 windings, Epcos"},
           {"D41", 1, std::nullopt, "", "MUR 490", "900 V, 4 A, 75 ns", ""},
           // 540.44 µH in the 2 mH step; the choke is rated 1 A.
           {"L08", 1, 2, "mH", "B82614-R2102-A30", "1 A", "PFC choke, Epcos"},
           {"C08", 1, 10, "nF", "", "600 V", "PFC capacitor"},
           {"F01", 1, 1.6, "AT", "", "", "fuse"},
           {"P10", 1, 10, "kOhm", "", "", "potentiometer"},
           {"R22", 1, 1, "MOhm", "", "", ""},
           {"R37", 1, 33, "Ohm", "", "1/4 W", ""},
           {"D26", 1, std::nullopt, "", "1N4148", "100 V, 150 mA, 8 ns", ""},
       }) {
    const ComponentRow* row = Find(rows, e.designator);
    ASSERT_NE(row, nullptr) << e.designator;
    EXPECT_EQ(row->quantity, e.quantity) << e.designator;
    EXPECT_EQ(row->value, e.value) << e.designator;
    EXPECT_EQ(row->unit, e.unit) << e.designator;
    EXPECT_EQ(row->part, e.part) << e.designator;
    EXPECT_EQ(row->rating, e.rating) << e.designator;
    EXPECT_EQ(row->remark, e.remark) << e.designator;
  }
}

}  // namespace
}  // namespace flyback
