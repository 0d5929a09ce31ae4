#include "engine/efficiency/efficiency_rules.h"

#include <array>

#include "base/numbers/power_bands.h"

namespace flyback {

namespace {

// W, where the rules' power ranges change.
inline constexpr double kOneWatt_W = 1;
inline constexpr double kMidRange_W = 49;
inline constexpr double kUpperRange_W = 250;
inline constexpr double kCocLeast_W = 0.3;
// A low voltage supply: below 6 V at 550 mA or more.
inline constexpr double kLowVoltage_V = 6;
inline constexpr double kLowVoltageCurrent_A = 0.55;

// DoE Level VI and EU 2019/1782 share their average efficiency formulas,
// one set per supply class; CoC Tier 2 has its own for the average and the
// 10 % load.
constexpr std::array<PowerBand, 3> kBasicVoltageAverage = {{
    {kOneWatt_W, 0.5, 0, 0.16},
    {kMidRange_W, -0.0014, 0.071, 0.67},
    {.constant = 0.880},
}};
constexpr std::array<PowerBand, 3> kLowVoltageAverage = {{
    {kOneWatt_W, 0.517, 0, 0.087},
    {kMidRange_W, -0.0014, 0.0834, 0.609},
    {.constant = 0.870},
}};
constexpr std::array<PowerBand, 3> kMultipleVoltageAverage = {{
    {kOneWatt_W, 0.497, 0, 0.067},
    {kMidRange_W, 0, 0.075, 0.561},
    {.constant = 0.860},
}};
constexpr std::array<PowerBand, 3> kCocAverage = {{
    {kOneWatt_W, 0.5, 0, 0.169},
    {kMidRange_W, -0.00115, 0.071, 0.670},
    {.constant = 0.890},
}};
constexpr std::array<PowerBand, 3> kCocTenPercent = {{
    {kOneWatt_W, 0.5, 0, 0.060},
    {kMidRange_W, -0.0014, 0.071, 0.570},
    {.constant = 0.790},
}};

double SharedAverage(double P, SupplyClass c) {
  switch (c) {
    case SupplyClass::kBasicVoltage:
      return ValueInBands(kBasicVoltageAverage, P);
    case SupplyClass::kLowVoltage:
      return ValueInBands(kLowVoltageAverage, P);
    case SupplyClass::kMultipleVoltage:
      return ValueInBands(kMultipleVoltageAverage, P);
  }
  return 0;
}

RuleLimits DoeLevelVi(double P, SupplyClass c) {
  RuleLimits limits;
  if (c == SupplyClass::kMultipleVoltage) {
    limits.average_min = SharedAverage(P, c);
    limits.no_load_max_W = 0.300;
    return limits;
  }
  if (P > kUpperRange_W) {
    limits.average_min = 0.875;
    limits.no_load_max_W = 0.500;
    return limits;
  }
  limits.average_min = SharedAverage(P, c);
  limits.no_load_max_W = P <= kMidRange_W ? 0.100 : 0.210;
  return limits;
}

RuleLimits Eu2019_1782(double P, SupplyClass c) {
  RuleLimits limits;
  if (P > kUpperRange_W) {
    limits.not_covered = "rated above 250 W";
    return limits;
  }
  limits.average_min = SharedAverage(P, c);
  if (c == SupplyClass::kMultipleVoltage) {
    limits.no_load_max_W = 0.30;
  } else {
    limits.no_load_max_W = P <= kMidRange_W ? 0.10 : 0.21;
  }
  return limits;
}

RuleLimits CocTier2(double P, SupplyClass c) {
  RuleLimits limits;
  if (c != SupplyClass::kBasicVoltage) {
    limits.not_covered =
        "only its limits for single voltage supplies other than low voltage "
        "are carried";
    return limits;
  }
  if (P < kCocLeast_W || P > kUpperRange_W) {
    limits.not_covered = "rated outside 0.3 W to 250 W";
    return limits;
  }
  limits.average_min = ValueInBands(kCocAverage, P);
  limits.ten_percent_min = ValueInBands(kCocTenPercent, P);
  limits.no_load_max_W = P <= kMidRange_W ? 0.075 : 0.150;
  return limits;
}

}  // namespace

std::string_view SupplyClassName(SupplyClass supply_class) {
  switch (supply_class) {
    case SupplyClass::kBasicVoltage:
      return "basic voltage";
    case SupplyClass::kLowVoltage:
      return "low voltage";
    case SupplyClass::kMultipleVoltage:
      return "multiple voltage";
  }
  return "basic voltage";
}

SupplyClass SupplyClassOf(const DesignInputs& in) {
  if (in.n_sec > 1) return SupplyClass::kMultipleVoltage;
  const OutputSpec& out = in.output(1);
  return out.Umax < kLowVoltage_V && out.Imax >= kLowVoltageCurrent_A ? SupplyClass::kLowVoltage
                                                                      : SupplyClass::kBasicVoltage;
}

std::string_view RuleName(EfficiencyRule rule) {
  switch (rule) {
    case EfficiencyRule::kDoeLevelVi:
      return "DoE Level VI";
    case EfficiencyRule::kEu2019_1782:
      return "EU 2019/1782";
    case EfficiencyRule::kCocTier2:
      return "CoC Tier 2";
  }
  return "";
}

double RuleMainsVoltage(EfficiencyRule rule) {
  return rule == EfficiencyRule::kDoeLevelVi ? 115 : 230;
}

RuleLimits LimitsOf(EfficiencyRule rule, double P_rated_W, SupplyClass c) {
  switch (rule) {
    case EfficiencyRule::kDoeLevelVi:
      return DoeLevelVi(P_rated_W, c);
    case EfficiencyRule::kEu2019_1782:
      return Eu2019_1782(P_rated_W, c);
    case EfficiencyRule::kCocTier2:
      return CocTier2(P_rated_W, c);
  }
  return {};
}

}  // namespace flyback
