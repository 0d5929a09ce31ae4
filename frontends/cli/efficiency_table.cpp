#include "efficiency_table.h"

#include <optional>

#include "base/console/number_text.h"
#include "table_cells.h"

namespace flyback {

namespace {

inline constexpr std::size_t kInputWidth = 32;
inline constexpr std::size_t kPercentWidth = 6;
inline constexpr std::size_t kMilliwattWidth = 8;
inline constexpr double kPercent = 100;
inline constexpr double kMilliwattsPerWatt = 1000;

std::optional<double> Scaled(const std::optional<double>& value, double factor) {
  return value ? std::optional<double>(*value * factor) : std::nullopt;
}

std::string RuleLine(const RuleVerdict& v, bool binding) {
  return Left(std::string(RuleName(v.rule)), 13) + Cell(RuleMainsVoltage(v.rule), 4, 0) + " V" +
         Cell(Scaled(v.average, kPercent), kPercentWidth + 1, 1) +
         Cell(Scaled(v.limits.average_min, kPercent), kPercentWidth + 1, 1) +
         Cell(Scaled(v.ten_percent, kPercent), kPercentWidth + 1, 1) +
         Cell(Scaled(v.limits.ten_percent_min, kPercent), kPercentWidth + 1, 1) +
         Cell(Scaled(v.no_load_W, kMilliwattsPerWatt), kMilliwattWidth + 1, 1) +
         Cell(Scaled(v.limits.no_load_max_W, kMilliwattsPerWatt), kMilliwattWidth + 1, 0) + "  " +
         VerdictText(v, binding) + "\n";
}

}  // namespace

std::string EfficiencyTableText(const EfficiencyMap& map, const RulesCheck& rules) {
  std::string text =
      "Efficiency over load (%; every output at the same share of its Imax) and "
      "no-load input power (mW):\n";
  text += Left("input", kInputWidth);
  for (const double load : kMapLoads) text += Cell(load * kPercent, kPercentWidth - 1, 0) + "%";
  text += Right("no load", kMilliwattWidth + 1) + "\n";
  for (const MapRow& row : map.rows) {
    text += Left(SignedNumberText(row.voltage.U_input_V) + " V (" + row.voltage.name + ")",
                 kInputWidth);
    for (const MapPoint& point : row.loads) {
      text += Cell(point.efficiency * kPercent, kPercentWidth, 1);
    }
    text += Cell(row.no_load.P_in_W * kMilliwattsPerWatt, kMilliwattWidth + 1, 1) + "\n";
  }
  text += std::string("Rules for external power supplies (") +
          std::string(SupplyClassName(rules.supply_class)) + ", rated " +
          SignedNumberText(rules.P_rated_W) + " W; " +
          (rules.external_power_supply ? "checked" : "a reference only") + "):\n";
  text += "rule           at     avg    min    10%    min  no load    max  verdict\n";
  for (const RuleVerdict& v : rules.verdicts) text += RuleLine(v, rules.external_power_supply);
  return text;
}

std::string EfficiencyTableOf(const DesignEvaluation& evaluation) {
  return EfficiencyTableText(evaluation.efficiency_map, evaluation.efficiency_rules);
}

}  // namespace flyback
