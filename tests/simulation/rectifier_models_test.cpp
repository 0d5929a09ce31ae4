// The rectifiers fitted to their data sheets, each against the fit worked by
// hand from the figures the data sheet gives (U_T = 0.025864 V):
// N = (U2 − U1)/(U_T·ln(I2/I1)), IS = I1·exp(−U1/(N·U_T)),
// TT = t_rr/ln(1 + I_F/I_R). The MUR 420 and the 1N 4148 are checked in
// their netlist (spice_netlist_test.cpp).

#include "engine/simulation/rectifier_models.h"

#include <gtest/gtest.h>

#include <optional>

namespace flyback {
namespace {

struct HandFit {
  const char* part;
  double N;
  double IS_A;
  double CJO_pF;
  double TT_ns;
};

TEST(RectifierModels, FitsThroughTheDataSheetPoints) {
  // All three recover in 25 ns or 50 ns from I_F 0.5 A into I_R 1 A:
  // TT = 25/ln 1.5 = 61.6576 ns, 50/ln 1.5 = 123.315 ns.
  const HandFit fits[] = {
      // 0.875 V at 1 A; on the MUR 420's slope (0.01 V from 3 A to 4 A)
      // 0.885 V at 4/3 A: N = 0.01/(0.025864·ln(4/3)) = 1.34398, IS =
      // e^(−0.875/0.0347606) = e^(−25.1722) = 1.16912e-11 A. CJ 27 pF of
      // the MURS120 at 4 V.
      {"MUR 120", 1.34398, 1.16912e-11, 27, 61.6576},
      // 1.25 V at 1 A; on the MUR 460's slope (0.03 V from 3 A to 4 A)
      // 1.28 V at 4/3 A: N = 0.03/0.0074406 = 4.03193, IS =
      // e^(−1.25/0.104282) = e^(−11.9868) = 6.22615e-6 A. CJ 10 pF of the
      // MURS160, the 600 V, 1 A part, at 4 V.
      {"MUR 160", 4.03193, 6.22615e-6, 10, 123.315},
      // 1.25 V at 3 A, 1.28 V at 4 A: N as the MUR 160's, IS =
      // 3·e^(−11.9868) = 1.86784e-5 A. CJ 60 pF of the 4 A MUR440GR at 4 V.
      {"MUR 460", 4.03193, 1.86784e-5, 60, 123.315},
  };
  for (const HandFit& fit : fits) {
    const std::optional<RectifierDatasheet> sheet = RectifierDatasheetOf(fit.part);
    ASSERT_TRUE(sheet.has_value()) << fit.part;
    const DiodeModel model = FittedRectifier(*sheet);
    EXPECT_NEAR(model.N, fit.N, 1e-5 * fit.N) << fit.part;
    EXPECT_NEAR(model.IS_A, fit.IS_A, 1e-5 * fit.IS_A) << fit.part;
    EXPECT_DOUBLE_EQ(model.CJO_pF, fit.CJO_pF) << fit.part;
    EXPECT_NEAR(model.TT_ns, fit.TT_ns, 1e-5 * fit.TT_ns) << fit.part;
    EXPECT_TRUE(model.fitted) << fit.part;
  }
}

}  // namespace
}  // namespace flyback
