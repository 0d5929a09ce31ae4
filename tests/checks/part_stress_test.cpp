// The stress a part's row carries where the budget stresses the part more
// than once: the one nearest its derated limit, whatever its unit.

#include "engine/checks/part_stress.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace flyback {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// R11 of the list, 2 W and (as if it were rated so) 500 V, and C11, 630 V.
PartStress Power(double stress_W) {
  return {"R11", "power", "W", stress_W, "highest input voltage", 2, kResistorPowerDerating};
}
PartStress Voltage(double stress_V) {
  return {"R11", "voltage", "V", stress_V, "highest input voltage", 500, kFilmCapacitorDerating};
}
const PartStress kC11{"C11", "voltage", "V", 300, "bus valley", 630, kFilmCapacitorDerating};

TEST(GoverningStress, IsTheOneNearestItsDeratedLimit) {
  const struct {
    const char* why;
    std::vector<PartStress> stresses;
    const char* designator;
    const char* governing;  // its quantity, null for none
  } cases[] = {
      {"a part the budget does not stress", {Power(1), kC11}, "F01", nullptr},
      {"the only stress of the part", {kC11, Power(1)}, "R11", "power"},
      // 1 W of 1.2 W is 83 %, 330 V of 350 V 94 %: the smaller figure governs.
      {"the higher share of its limit", {Power(1), Voltage(330)}, "R11", "voltage"},
      {"the higher share, listed first", {Voltage(330), Power(1)}, "R11", "voltage"},
      // 0.6 W of 1.2 W and 175 V of 350 V are both half.
      {"the first of equal shares", {Power(0.6), Voltage(175)}, "R11", "power"},
      {"one that is not a figure before a finite one", {Power(1), Voltage(kNaN)}, "R11", "voltage"},
      {"one that is not a figure, listed first", {Power(kNaN), Voltage(330)}, "R11", "power"},
  };
  for (const auto& c : cases) {
    const PartStress* governing = GoverningStress(c.stresses, c.designator);
    if (c.governing == nullptr) {
      EXPECT_EQ(governing, nullptr) << c.why;
    } else {
      ASSERT_NE(governing, nullptr) << c.why;
      EXPECT_EQ(governing->part, c.designator) << c.why;
      EXPECT_EQ(governing->quantity, c.governing) << c.why;
    }
  }
}

}  // namespace
}  // namespace flyback
