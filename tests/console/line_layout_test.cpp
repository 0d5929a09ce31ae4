#include <gtest/gtest.h>

#include "base/console/line.h"

namespace flyback {
namespace {

TEST(LineLayout, MainMenuChoiceNumbersStandAtColumn42) {
  // A text ending between columns 16 and 27 followed by two zone advances and
  // one ending between 28 and 41 followed by one reach the same zone.
  const std::string two_zones = LayoutFixedPitch({"Print the result", zone, zone, "(2)"});
  const std::string one_zone =
      LayoutFixedPitch({"Optimization of the output voltages", zone, "(1)"});
  EXPECT_EQ(two_zones.find("(2)"), 42U);
  EXPECT_EQ(one_zone.find("(1)"), 42U);
  EXPECT_EQ(LayoutFixedPitch({"Start from the beginning", zone, zone, "(10)"}).find("(10)"), 42U);
}

TEST(LineLayout, ZoneAdvanceFromAZoneStartMovesAWholeZone) {
  // "Irms/cross s.*" (14 characters) written from column 28 ends at 42; a
  // following ',' moves on to 56, a following ';' stays at 42.
  const std::string with_zone =
      LayoutFixedPitch({"    Windg.", zone, "n / I/A", zone, "Irms/cross s.*", zone, "x"});
  EXPECT_EQ(with_zone.find("Irms/cross s.*"), 28U);
  EXPECT_EQ(with_zone.find('x', 42), 56U);
  const std::string joined =
      LayoutFixedPitch({"    Windg.", zone, "n / I/A", zone, "Irms/cross s.*", " Umin/Umax/V"});
  EXPECT_EQ(joined.find(" Umin/Umax/V"), 42U);
}

TEST(LineLayout, LeadingZoneAdvanceStartsInTheSecondZone) {
  EXPECT_EQ(LayoutFixedPitch({zone, "Absolute maximum:"}),
            std::string(14, ' ') + "Absolute maximum:");
  EXPECT_EQ(LayoutFixedPitch({zone, zone, "x"}), std::string(28, ' ') + "x");
}

TEST(LineLayout, NumbersCarryTheirBlanks) {
  EXPECT_EQ(LayoutFixedPitch({"x", -3, "y"}), "x-3 y");
  EXPECT_EQ(LayoutFixedPitch({"x", 0, "y"}), "x 0 y");
  EXPECT_EQ(LayoutFixedPitch({"Old value n", 2, "= ", 12}), "Old value n 2 =  12 ");
  EXPECT_EQ(LayoutFixedPitch(
                {" The calculated maximum input power of your power supply amounts", 89.4, "W."}),
            " The calculated maximum input power of your power supply amounts 89.4 W.");
}

TEST(LineLayout, NonAsciiCharactersTakeOneColumn) {
  // "Ae/mm²" is six characters: the next zone starts at 14, not 15.
  EXPECT_EQ(LayoutFixedPitch({"Ae/mm²", zone, "x"}), "Ae/mm²        x");
  EXPECT_EQ(CharacterCount("µs"), 2);
}

TEST(LineLayout, EmptyLineHasNoCharacters) {
  EXPECT_EQ(LayoutFixedPitch({}), "");
}

}  // namespace
}  // namespace flyback
