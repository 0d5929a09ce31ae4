// The rules' limits at their own table points, by hand from the tables
// (ln 49 = 3.8918203):
//   DoE Level VI and EU 2019/1782, basic voltage: 0.5·P + 0.16 to 1 W,
//     0.071·ln P − 0.0014·P + 0.67 to 49 W (0.8777192 at 49 W), 0.880 above;
//     no load 0.100 W to 49 W, 0.210 W above; DoE above 250 W 0.875 and
//     0.500 W, the EU rule ends at 250 W.
//   Low voltage: 0.0834·ln P − 0.0014·P + 0.609 (0.8649778 at 49 W), 0.870.
//   Multiple voltage: 0.075·ln P + 0.561 (0.8528865 at 49 W), 0.860; no load
//     0.300 W.
//   CoC Tier 2, basic voltage from 0.3 W: 0.5·P + 0.169 and at 10 % load
//     0.5·P + 0.060 to 1 W; 0.071·ln P − 0.00115·P + 0.670 (0.8899692 at
//     49 W) and 0.071·ln P − 0.0014·P + 0.570 (0.7777192); 0.890 and 0.790
//     above; no load 0.075 W to 49 W, 0.150 W above; up to 250 W.

#include "engine/efficiency/efficiency_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace flyback {
namespace {

TEST(EfficiencyRules, LimitsAtTheTablesPoints) {
  using R = EfficiencyRule;
  using C = SupplyClass;
  struct Case {
    R rule;
    C supply_class;
    double P_W;
    std::optional<double> average, ten_percent, no_load_W;
  };
  const std::optional<double> none;
  for (const Case& c : std::vector<Case>{
           {R::kDoeLevelVi, C::kBasicVoltage, 1, 0.66, none, 0.100},
           {R::kDoeLevelVi, C::kBasicVoltage, 49, 0.8777192, none, 0.100},
           {R::kDoeLevelVi, C::kBasicVoltage, 50, 0.880, none, 0.210},
           {R::kDoeLevelVi, C::kBasicVoltage, 250, 0.880, none, 0.210},
           {R::kDoeLevelVi, C::kBasicVoltage, 251, 0.875, none, 0.500},
           {R::kDoeLevelVi, C::kLowVoltage, 49, 0.8649778, none, 0.100},
           {R::kDoeLevelVi, C::kLowVoltage, 50, 0.870, none, 0.210},
           {R::kDoeLevelVi, C::kMultipleVoltage, 49, 0.8528865, none, 0.300},
           {R::kDoeLevelVi, C::kMultipleVoltage, 76, 0.860, none, 0.300},
           {R::kEu2019_1782, C::kBasicVoltage, 49, 0.8777192, none, 0.10},
           {R::kEu2019_1782, C::kBasicVoltage, 50, 0.880, none, 0.21},
           {R::kEu2019_1782, C::kBasicVoltage, 250, 0.880, none, 0.21},
           {R::kEu2019_1782, C::kBasicVoltage, 251, none, none, none},
           {R::kEu2019_1782, C::kLowVoltage, 50, 0.870, none, 0.21},
           {R::kEu2019_1782, C::kMultipleVoltage, 76, 0.860, none, 0.30},
           {R::kCocTier2, C::kBasicVoltage, 0.29, none, none, none},
           {R::kCocTier2, C::kBasicVoltage, 0.3, 0.319, 0.21, 0.075},
           {R::kCocTier2, C::kBasicVoltage, 1, 0.669, 0.560, 0.075},
           {R::kCocTier2, C::kBasicVoltage, 49, 0.8899692, 0.7777192, 0.075},
           {R::kCocTier2, C::kBasicVoltage, 50, 0.890, 0.790, 0.150},
           {R::kCocTier2, C::kBasicVoltage, 250, 0.890, 0.790, 0.150},
           {R::kCocTier2, C::kBasicVoltage, 251, none, none, none},
           {R::kCocTier2, C::kMultipleVoltage, 76, none, none, none},
       }) {
    const RuleLimits limits = LimitsOf(c.rule, c.P_W, c.supply_class);
    const auto expect = [&](const std::optional<double>& got, const std::optional<double>& want,
                            const char* what) {
      ASSERT_EQ(got.has_value(), want.has_value())
          << RuleName(c.rule) << " " << c.P_W << " W " << what;
      if (want) {
        EXPECT_NEAR(*got, *want, 5e-8) << RuleName(c.rule) << " " << c.P_W << " W " << what;
      }
    };
    expect(limits.average_min, c.average, "average");
    expect(limits.ten_percent_min, c.ten_percent, "10 %");
    expect(limits.no_load_max_W, c.no_load_W, "no load");
    EXPECT_EQ(limits.not_covered.empty(), c.no_load_W.has_value()) << RuleName(c.rule) << c.P_W;
  }
}

}  // namespace
}  // namespace flyback
