#include "engine/reports/pfc_choke.h"

#include <gtest/gtest.h>

namespace flyback {
namespace {

TEST(PfcChoke, DefaultChoke) {
  // 0.5 mH, 3 A, 0.63 mm wire, AL 76 nH, Ae 76 mm².
  const PfcChoke c = CalculatePfcChoke(0.5, 3, 0.63, 76, 76);
  EXPECT_EQ(c.Bmax_pfc, 243);  // r0(1000 x 3 x sqrt 38 / 76) = r0(243.3)
  EXPECT_EQ(c.n_pfc, 81);      // r0(sqrt(500000 / 76)) = r0(81.1)
  EXPECT_EQ(c.J_pfc, 7);
  EXPECT_DOUBLE_EQ(c.A_min_pfc, 0.3);     // r2(2.1213 / 7)
  EXPECT_DOUBLE_EQ(c.A_wire_pfc, 0.312);  // r3(0.3117)
  EXPECT_EQ(c.n_wires_pfc, 1);            // floor(0.3 / 0.3117) + 1
}

TEST(PfcChoke, ExactMultipleOfTheWireGetsOneWireMore) {
  // 15 mm wire: 3.1416 x 7.5² = 176.715 mm². 3498.78 A: r2(3498.78 / sqrt 2 / 7)
  // = 353.43 mm², exactly two wires' worth: three wires.
  const PfcChoke c = CalculatePfcChoke(0.5, 3498.78, 15, 76, 76);
  EXPECT_DOUBLE_EQ(c.A_min_pfc, 353.43);
  EXPECT_DOUBLE_EQ(c.A_wire_pfc, 176.715);
  EXPECT_EQ(c.n_wires_pfc, 3);
}

TEST(PfcChoke, MagnetizationFromTheUnroundedTurns) {
  // 1 mH on 90 nH: sqrt(1000000 / 90) = 105.4 turns are
  // rounded to 105, while Bmax = r0(1000 x 2 x sqrt 90 / 50) = r0(379.47) uses
  // the unrounded turns (with 105 turns it would be 381).
  const PfcChoke c = CalculatePfcChoke(1, 2, 0.63, 90, 50);
  EXPECT_EQ(c.n_pfc, 105);
  EXPECT_EQ(c.Bmax_pfc, 379);
}

TEST(PfcChoke, ZeroInductanceIsAChokeWithoutTurns) {
  const PfcChoke c = CalculatePfcChoke(0, 3, 0.63, 76, 76);
  EXPECT_EQ(c.n_pfc, 0);
  EXPECT_EQ(c.Bmax_pfc, 0);
  EXPECT_EQ(c.n_wires_pfc, 1);
}

}  // namespace
}  // namespace flyback
