// The models the netlist builds its stage of: the leakage of each winding and
// the rectifiers fitted to their data sheets.

#include <gtest/gtest.h>

#include <numeric>

#include "engine/components/diode_catalogue.h"
#include "engine/simulation/rectifier_models.h"
#include "engine/simulation/winding_leakage.h"

namespace flyback {
namespace {

TEST(SplitLeakage, ByTheFieldOfTheWindingOrInHalves) {
  // Primary 2 layers of 0.5 mm pitch (1.0 mm); outputs 0.6 mm and 2 × 0.2 mm
  // with one 0.05 mm tape: b_s = 1.05 mm. Primary side 0.075 + 1/3 =
  // 0.408333, secondaries 0.075 + 0.35 = 0.425 of 0.833333; share 5 %:
  // s_p = 0.0245, secondaries 0.0255 as 0.6 : 0.4 = 0.0153 and 0.0102, the
  // IC supply 0.0255/2 = 0.01275.
  LeakageFigures estimated;
  estimated.share = 0.05;
  estimated.winding = LeakageWinding{};
  estimated.winding->primary = {2, 0.5};
  estimated.winding->secondaries = {{1, 0.6}, {2, 0.2}};
  // Assumed 2 % without a winding: half the primary's, the other half
  // shared equally by three outputs.
  LeakageFigures assumed;
  assumed.share = 0.02;
  const struct {
    const LeakageFigures* leakage;
    int outputs;
    double primary;
    std::vector<double> each;
    double ic;
  } cases[] = {
      {&estimated, 2, 0.0245, {0.0153, 0.0102}, 0.01275},
      {&assumed, 3, 0.01, {0.01 / 3, 0.01 / 3, 0.01 / 3}, 0.01 / 3},
  };
  for (const auto& c : cases) {
    const WindingLeakageShares shares = SplitLeakage(*c.leakage, c.outputs);
    EXPECT_NEAR(shares.primary, c.primary, 1e-9);
    ASSERT_EQ(shares.outputs.size(), c.each.size());
    for (std::size_t i = 0; i < c.each.size(); ++i) EXPECT_NEAR(shares.outputs[i], c.each[i], 1e-9);
    EXPECT_NEAR(shares.ic, c.ic, 1e-9);
    // The primary and the outputs together hold the budget's leakage.
    EXPECT_NEAR(std::accumulate(shares.outputs.begin(), shares.outputs.end(), shares.primary),
                c.leakage->share, 1e-12);
  }
}

TEST(RectifierDatasheet, EveryHeldPartIsACatalogueProposal) {
  // A misspelt row would leave its part to the design-drop diode unnoticed.
  for (const Proposal& p :
       {diode::kMUR120, diode::kMUR160, diode::kMUR420, diode::kMUR460, diode::k1N4148}) {
    const std::optional<RectifierDatasheet> sheet = RectifierDatasheetOf(p.part);
    ASSERT_TRUE(sheet) << p.part;
    EXPECT_LT(sheet->lower.I_A, sheet->upper.I_A) << p.part;
    EXPECT_LT(sheet->lower.U_V, sheet->upper.U_V) << p.part;
    EXPECT_TRUE(FittedRectifier(*sheet).fitted);
  }
  EXPECT_FALSE(RectifierDatasheetOf("MUR 4200"));
  EXPECT_FALSE(RectifierModel("", 1, 0.5).fitted);
}

TEST(FittedRectifier, MatchesTheHandFitOfItsDatasheetPoints) {
  // By hand from the data sheet figures, U_T = 25.864 mV:
  // MUR 420: N = 0.01/(U_T·ln(4/3)) = 1.34398, IS = 3·exp(−0.88/(N·U_T)) =
  //   3.0375e-11 A, TT = 25 ns/ln(1.5) = 61.658 ns;
  // MUR 460: N = 0.03/(U_T·ln(4/3)) = 4.03193, IS = 3·exp(−1.25/(N·U_T)) =
  //   1.8678e-5 A, TT = 50 ns/ln(1.5) = 123.315 ns;
  // 1N 4148: N = 0.28/(U_T·ln 20) = 3.61376, IS = 0.005·exp(−0.72/(N·U_T)) =
  //   2.2567e-6 A, TT = 4 ns/ln 2 = 5.7708 ns.
  const struct {
    const char* part;
    double N;
    double IS_A;
    double TT_ns;
  } cases[] = {
      {"MUR 420", 1.34398, 3.0375e-11, 61.658},
      {"MUR 460", 4.03193, 1.8678e-5, 123.315},
      {"1N 4148", 3.61376, 2.2567e-6, 5.7708},
  };
  for (const auto& c : cases) {
    const std::optional<RectifierDatasheet> sheet = RectifierDatasheetOf(c.part);
    ASSERT_TRUE(sheet) << c.part;
    const DiodeModel model = FittedRectifier(*sheet);
    EXPECT_NEAR(model.N, c.N, 1e-4 * c.N) << c.part;
    EXPECT_NEAR(model.IS_A, c.IS_A, 1e-3 * c.IS_A) << c.part;
    EXPECT_NEAR(model.TT_ns, c.TT_ns, 1e-4 * c.TT_ns) << c.part;
    EXPECT_EQ(model.CJO_pF, sheet->C_j_pF) << c.part;
  }
}

}  // namespace
}  // namespace flyback
