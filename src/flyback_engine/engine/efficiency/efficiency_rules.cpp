#include "engine/efficiency/efficiency_rules.h"

#include <cmath>

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

// DoE Level VI and EU 2019/1782 share their efficiency formulas.
double SharedAverage(double P, SupplyClass c) {
  const double lnP = std::log(P);
  switch (c) {
    case SupplyClass::kBasicVoltage:
      if (P <= kOneWatt_W) return 0.5 * P + 0.16;
      if (P <= kMidRange_W) return 0.071 * lnP - 0.0014 * P + 0.67;
      return 0.880;
    case SupplyClass::kLowVoltage:
      if (P <= kOneWatt_W) return 0.517 * P + 0.087;
      if (P <= kMidRange_W) return 0.0834 * lnP - 0.0014 * P + 0.609;
      return 0.870;
    case SupplyClass::kMultipleVoltage:
      if (P <= kOneWatt_W) return 0.497 * P + 0.067;
      if (P <= kMidRange_W) return 0.075 * lnP + 0.561;
      return 0.860;
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
  const double lnP = std::log(P);
  if (P <= kOneWatt_W) {
    limits.average_min = 0.5 * P + 0.169;
    limits.ten_percent_min = 0.5 * P + 0.060;
  } else if (P <= kMidRange_W) {
    limits.average_min = 0.071 * lnP - 0.00115 * P + 0.670;
    limits.ten_percent_min = 0.071 * lnP - 0.0014 * P + 0.570;
  } else {
    limits.average_min = 0.890;
    limits.ten_percent_min = 0.790;
  }
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
