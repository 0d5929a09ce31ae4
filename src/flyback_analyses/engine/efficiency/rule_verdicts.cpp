#include "engine/efficiency/rule_verdicts.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

namespace flyback {

namespace {

// The rules' loads as shares of the rated power.
inline constexpr double kTenPercent = 0.10;
inline constexpr double kAverageLoads[] = {0.25, 0.50, 0.75, 1.00};

const MapPoint* PointAtLoad(const MapRow& row, double load) {
  for (const MapPoint& point : row.loads) {
    if (point.load == load) return &point;
  }
  return nullptr;
}

const MapRow* RowAt(const EfficiencyMap& map, double U_mains_V) {
  for (const MapRow& row : map.rows) {
    if (row.voltage.U_mains_V == U_mains_V) return &row;
  }
  return nullptr;
}

bool MeetsAll(const RuleVerdict& v) {
  const RuleLimits& l = v.limits;
  return (!l.average_min || *v.average >= *l.average_min) &&
         (!l.ten_percent_min || *v.ten_percent >= *l.ten_percent_min) &&
         (!l.no_load_max_W || *v.no_load_W <= *l.no_load_max_W);
}

}  // namespace

std::string_view VerdictName(const RuleVerdict& verdict, bool binding) {
  if (!verdict.meets) return "not checked";
  if (binding) return *verdict.meets ? "pass" : "fail";
  return *verdict.meets ? "meets" : "misses";
}

std::string VerdictText(const RuleVerdict& verdict, bool binding) {
  if (verdict.meets) {
    return std::string(VerdictName(verdict, binding)) + (binding ? "" : " (reference)");
  }
  return verdict.limits.not_covered.empty() ? verdict.not_measured : verdict.limits.not_covered;
}

namespace {

// Limits closer than this are one line: the rules state them to 0.1 %.
constexpr double kSameLimit = 0.0005;

std::vector<LimitLine> LimitLines(const std::vector<RuleVerdict>& verdicts,
                                  std::optional<double> RuleLimits::*limit) {
  std::vector<LimitLine> lines;
  for (const RuleVerdict& v : verdicts) {
    const std::optional<double>& eta = v.limits.*limit;
    if (!eta) continue;
    const auto same = std::find_if(lines.begin(), lines.end(), [&](const LimitLine& line) {
      return std::abs(line.efficiency - *eta) < kSameLimit;
    });
    if (same != lines.end()) {
      same->rules += ", " + std::string(RuleName(v.rule));
    } else {
      lines.push_back({*eta, std::string(RuleName(v.rule))});
    }
  }
  return lines;
}

}  // namespace

std::vector<LimitLine> AverageLimitLines(const std::vector<RuleVerdict>& verdicts) {
  return LimitLines(verdicts, &RuleLimits::average_min);
}

std::vector<LimitLine> TenPercentLimitLines(const std::vector<RuleVerdict>& verdicts) {
  return LimitLines(verdicts, &RuleLimits::ten_percent_min);
}

double FourPointAverage(const MapRow& row) {
  double sum = 0;
  for (const double load : kAverageLoads) sum += PointAtLoad(row, load)->efficiency;
  return sum / std::size(kAverageLoads);
}

RulesCheck CheckRules(const DesignInputs& in, const EfficiencyMap& map,
                      bool external_power_supply) {
  RulesCheck check;
  check.external_power_supply = external_power_supply;
  check.supply_class = SupplyClassOf(in);
  check.P_rated_W = in.P_out_max;
  for (const EfficiencyRule rule : kEfficiencyRules) {
    RuleVerdict v;
    v.rule = rule;
    v.limits = LimitsOf(rule, check.P_rated_W, check.supply_class);
    const MapRow* row = in.dc_input ? nullptr : RowAt(map, RuleMainsVoltage(rule));
    if (in.dc_input) {
      v.not_measured = "the rules measure at the mains; the design has DC input";
    } else if (row == nullptr) {
      v.not_measured = "the rule's mains voltage lies outside the input range";
    } else {
      v.average = FourPointAverage(*row);
      v.ten_percent = PointAtLoad(*row, kTenPercent)->efficiency;
      v.no_load_W = row->no_load.P_in_W;
      if (v.limits.not_covered.empty()) v.meets = MeetsAll(v);
    }
    check.verdicts.push_back(std::move(v));
  }
  return check;
}

}  // namespace flyback
