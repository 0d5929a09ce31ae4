#pragma once

// The map against the rules for external power supplies: each rule's limits
// for the design's class and rated power (P_out_max), the map's figures at
// the rule's mains voltage, and whether they meet the limits. The verdicts
// bind where the engineer says the design is an external power supply;
// otherwise they are a reference only.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/efficiency_rules.h"

namespace flyback {

struct RuleVerdict {
  EfficiencyRule rule = EfficiencyRule::kDoeLevelVi;
  RuleLimits limits;
  std::optional<double> average;      // mean efficiency at 25, 50, 75, 100 % load
  std::optional<double> ten_percent;  // efficiency at 10 % load
  std::optional<double> no_load_W;    // W, input power with no load
  std::string not_measured;           // why the map has no figures for the rule; empty where it has
  // Whether every limit is met; none where the rule sets none or the map
  // has no figures for it.
  std::optional<bool> meets;
};

struct RulesCheck {
  bool external_power_supply = false;  // the verdicts bind, else a reference only
  SupplyClass supply_class = SupplyClass::kBasicVoltage;
  double P_rated_W = 0;
  std::vector<RuleVerdict> verdicts;  // in the order of kEfficiencyRules
};

// The rules for the design of inputs `in` with its efficiency `map`.
RulesCheck CheckRules(const DesignInputs& in, const EfficiencyMap& map, bool external_power_supply);

// "pass" or "fail" where the verdict binds, "meets" or "misses" as a
// reference, "not checked" where the rule sets no limit or the map has no
// figures for it.
std::string_view VerdictName(const RuleVerdict& verdict, bool binding);

// The verdict's name, marked "(reference)" where it does not bind; where the
// rule is not checked, why not.
std::string VerdictText(const RuleVerdict& verdict, bool binding);

// A limit as a chart draws it, and the rules that set it ("DoE Level VI,
// EU 2019/1782"): rules that set the same limit share one line.
struct LimitLine {
  double efficiency = 0;
  std::string rules;
};

// The least 4-point averages and the least efficiencies at 10 % load of the
// rules' `verdicts`, each limit once, in the order of the rules.
std::vector<LimitLine> AverageLimitLines(const std::vector<RuleVerdict>& verdicts);
std::vector<LimitLine> TenPercentLimitLines(const std::vector<RuleVerdict>& verdicts);

// The mean of the efficiencies at 25, 50, 75 and 100 % load of `row`.
double FourPointAverage(const MapRow& row);

}  // namespace flyback
