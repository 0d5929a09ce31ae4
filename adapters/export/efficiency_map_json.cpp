#include "efficiency_map_json.h"

#include <string>

#include "base/numbers/units.h"
#include "engine/efficiency/map_terms.h"
#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

Json Point(const MapPoint& point) {
  Json terms = Json::array();
  double other_W = 0;
  for (const LossTerm& term : LossTermsOf(point)) {
    if (term.P_W >= kListedLeast_W) {
      terms.push_back({{"term", term.name}, {"P_W", term.P_W}});
    } else {
      other_W += term.P_W;
    }
  }
  const SwitchingPoint& p = point.stage.switching;
  return {{"load", point.load},
          {"mode", point.mode},
          {"f_kHz", kMicrosecondsPerMillisecond / p.period_us},
          {"burst_duty", p.burst_duty},
          {"I_pk_A", p.I_pk_A},
          {"P_out_W", point.P_out_W},
          {"P_in_W", point.P_in_W},
          {"efficiency", point.efficiency},
          {"fixed_point_met", p.fixed_point_met},
          {"terms", terms},
          {"terms_below_1_mW_W", other_W}};
}

Json Rules(const RulesCheck& rules) {
  Json verdicts = Json::array();
  for (const RuleVerdict& v : rules.verdicts) {
    verdicts.push_back({{"rule", std::string(RuleName(v.rule))},
                        {"U_mains_V", RuleMainsVoltage(v.rule)},
                        {"average", OrNull(v.average)},
                        {"average_min", OrNull(v.limits.average_min)},
                        {"ten_percent", OrNull(v.ten_percent)},
                        {"ten_percent_min", OrNull(v.limits.ten_percent_min)},
                        {"no_load_W", OrNull(v.no_load_W)},
                        {"no_load_max_W", OrNull(v.limits.no_load_max_W)},
                        {"not_covered", v.limits.not_covered},
                        {"not_measured", v.not_measured},
                        {"verdict", std::string(VerdictName(v, rules.external_power_supply))}});
  }
  return {{"external_power_supply", rules.external_power_supply},
          {"supply_class", std::string(SupplyClassName(rules.supply_class))},
          {"P_rated_W", rules.P_rated_W},
          {"verdicts", verdicts}};
}

}  // namespace

nlohmann::ordered_json EfficiencyMapJson(const EfficiencyMap& map, const RulesCheck& rules) {
  Json rows = Json::array();
  for (const MapRow& row : map.rows) {
    Json points = Json::array();
    for (const MapPoint& point : row.loads) points.push_back(Point(point));
    rows.push_back({{"input", row.voltage.name},
                    {"U_input_V", row.voltage.U_input_V},
                    {"U_bus_V", row.voltage.U_bus_V},
                    {"points", points},
                    {"no_load", Point(row.no_load)}});
  }
  const LightLoadAssumptions& c = map.controller;
  return {{"load_scaling", "every output at the same share of its Imax"},
          {"controller",
           {{"f_ceiling_kHz", c.f_ceiling_kHz},
            {"burst_peak_share", c.burst_peak_share},
            {"I_ic_idle_A", c.I_ic_idle_A},
            {"source", c.source}}},
          {"voltages", rows},
          {"rules", Rules(rules)}};
}

}  // namespace flyback
