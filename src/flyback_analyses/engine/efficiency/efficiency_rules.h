#pragma once

// The rules for external power supplies, by their rated output power P (W):
// the least average of the efficiencies at 25, 50, 75 and 100 % load, the
// least efficiency at 10 % load where the rule has one, and the most input
// power with no load. docs/efficiency.md cites each table.
//   US DoE Level VI (10 CFR 430.32(w)), measured at 115 V: basic voltage,
//     low voltage and multiple voltage supplies; no upper end.
//   EU Regulation 2019/1782, Annex I tables 1 to 3, measured at 230 V: AC-DC
//     other than low voltage, low voltage and multiple output supplies, up
//     to 250 W.
//   EU Code of Conduct on external power supplies, version 5, Tier 2,
//     measured at 230 V: single voltage supplies other than low voltage,
//     0.3 W to 250 W, with the 10 % point.

#include <optional>
#include <string>
#include <string_view>

#include "state/design/design_inputs.h"

namespace flyback {

enum class SupplyClass {
  kBasicVoltage,
  kLowVoltage,       // one output below 6 V of at least 550 mA
  kMultipleVoltage,  // more than one output
};

std::string_view SupplyClassName(SupplyClass supply_class);

// The class of the design's outputs.
SupplyClass SupplyClassOf(const DesignInputs& in);

struct RuleLimits {
  std::optional<double> average_min;      // least 4-point average efficiency
  std::optional<double> ten_percent_min;  // least efficiency at 10 % load
  std::optional<double> no_load_max_W;    // W, most input power with no load
  std::string not_covered;  // why the rule sets no limit for the supply; empty where it does
};

enum class EfficiencyRule { kDoeLevelVi, kEu2019_1782, kCocTier2 };

inline constexpr EfficiencyRule kEfficiencyRules[] = {
    EfficiencyRule::kDoeLevelVi, EfficiencyRule::kEu2019_1782, EfficiencyRule::kCocTier2};

std::string_view RuleName(EfficiencyRule rule);
// V rms, the mains voltage the rule measures at: 115 V or 230 V.
double RuleMainsVoltage(EfficiencyRule rule);
// The limits of `rule` for a supply of class `c` rated P_rated_W (W).
RuleLimits LimitsOf(EfficiencyRule rule, double P_rated_W, SupplyClass c);

}  // namespace flyback
