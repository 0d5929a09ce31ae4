// The component list as a parts list, for the three-output demonstration
// design (PFC with the conventional filter, QRM1X305, no opto regulation).

#include "engine/reports/component_entries.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/components/dimensioning.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

std::vector<ComponentEntry> DemonstrationEntries() {
  DesignState s = Calculated(ThreeOutputDemo());
  s.inputs.filter = MainsFilter::kConventional;
  s.components = dimension_components(s);
  return ComponentEntries(s);
}

const ComponentEntry* Find(const std::vector<ComponentEntry>& entries, const std::string& name) {
  for (const ComponentEntry& entry : entries) {
    if (entry.designator == name) return &entry;
  }
  return nullptr;
}

TEST(ComponentEntries, OneEntryPerDesignatorInTheOrderOfTheList) {
  // List 1 with PFC and 89.4 W (C03, C04), the QRM1X305 block without opto
  // regulation (P10), and the three outputs of List 2.
  const std::vector<std::string> expected = {
      "C01", "C02", "C03", "C04", "C06", "C07",  "C08", "C09", "C10", "D01-D04", "D08", "D09",
      "F01", "L01", "L08", "R06", "T01", "IC01", "C22", "C26", "C27", "C28",     "C29", "D26",
      "P10", "R22", "R29", "R35", "R37", "R38",  "C41", "C42", "C43", "D41",     "D42", "D43"};
  std::vector<std::string> designators;
  for (const ComponentEntry& entry : DemonstrationEntries())
    designators.push_back(entry.designator);
  EXPECT_EQ(designators, expected);
}

TEST(ComponentEntries, ValuesPartsRatingsAndRemarks) {
  const std::vector<ComponentEntry> entries = DemonstrationEntries();
  struct Expected {
    const char* designator;
    std::optional<double> value;
    const char* unit;
    const char* part;
    const char* rating;
    const char* remark;
  };
  // C07: 125 µF/A x 89.4 W / 90 V = 124.2 µF gives 150 µF; the 420 V bus 450 V.
  // F01: 1.5 x 0.993 A = 1.49 A gives 1.6 A. R22: 1.41 x 90 V x 0.8 / 100 gives 1 MOhm.
  for (const Expected& e : std::vector<Expected>{
           {"C01", 680, "nF", "", "", "X- capacitor"},
           {"C07", 150, "µF", "", "450 V", ""},
           {"C08", 10, "nF", "", "600 V", "PFC capacitor"},
           {"F01", 1.6, "AT", "", "", "fuse"},
           {"L08", 2, "mH", "PFC choke, Epcos, no. B82614-R2102-A30", "1 A", ""},
           {"T01", std::nullopt, "", "QMP03N60X5    600V, 1.4 Ohm, 3.2A", "", ""},
           {"D26", std::nullopt, "", "1N4148", "100 V, 150 mA, 8 ns", ""},
           {"R22", 1, "MOhm", "", "", ""},
           {"R37", 33, "Ohm", "", "1/4 W", ""},
           {"L01", std::nullopt, "", "2*33 mH,1 A   Filter- Choke, Epcos, no. B82724-J2102-N1", "",
            ""},
       }) {
    const ComponentEntry* entry = Find(entries, e.designator);
    ASSERT_NE(entry, nullptr) << e.designator;
    EXPECT_EQ(entry->value, e.value) << e.designator;
    EXPECT_EQ(entry->unit, e.unit) << e.designator;
    EXPECT_EQ(entry->part, e.part) << e.designator;
    EXPECT_EQ(entry->rating, e.rating) << e.designator;
    EXPECT_EQ(entry->remark, e.remark) << e.designator;
  }
}

}  // namespace
}  // namespace flyback
