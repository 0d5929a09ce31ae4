// The sections on how the design behaves over its range: the efficiency over
// line and load against the rules, and the feedback loop at its corners.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/design_report/bode_chart.h"
#include "engine/design_report/efficiency_chart.h"
#include "engine/design_report/html_text.h"
#include "engine/design_report/report_sections.h"

namespace flyback {

namespace {

constexpr double kPercent = 100;
constexpr double kMilliwattsPerWatt = 1000;

// A figure with its unit, or "–" where there is none.
std::string Figure(std::optional<double> x, double factor, int decimals, const char* unit) {
  if (!x) return "–";
  NoteFigure(*x);
  return EscapeHtml(Rounded(factor * *x, decimals) + unit);
}

// The figures the rules ask for at every input voltage of the map (a column
// each; the chart beside it draws every load): the 4-point average, the
// efficiency at 10 % load and the no-load input power.
std::string MapTable(const EfficiencyMap& map) {
  HtmlTable table{"map", {"At"}, {}};
  std::vector<std::string> average{"4-point average"};
  std::vector<std::string> ten_percent{"10 % load"};
  std::vector<std::string> no_load{"no load"};
  for (const MapRow& row : map.rows) {
    table.header.push_back(EscapeHtml(Significant(row.voltage.U_input_V) + " V"));
    average.push_back(Figure(FourPointAverage(row), kPercent, 1, " %"));
    ten_percent.push_back(
        row.loads.empty() ? "–" : Figure(row.loads.front().efficiency, kPercent, 1, " %"));
    no_load.push_back(Figure(row.no_load.P_in_W, kMilliwattsPerWatt, 0, " mW"));
  }
  table.rows = {std::move(average), std::move(ten_percent), std::move(no_load)};
  return TableHtml(table);
}

// Each rule's limits at its mains voltage (the map's column of that
// voltage holds the figures) and the verdict.
std::string RulesTable(const RulesCheck& rules) {
  HtmlTable table{"map", {"Rule", "Average ≥", "10 % ≥", "No load ≤", "Verdict"}, {}};
  for (const RuleVerdict& v : rules.verdicts) {
    const RuleLimits& l = v.limits;
    table.rows.push_back({EscapeHtml(std::string(RuleName(v.rule)) + ", " +
                                     Rounded(RuleMainsVoltage(v.rule), 0) + " V"),
                          Figure(l.average_min, kPercent, 1, " %"),
                          Figure(l.ten_percent_min, kPercent, 1, " %"),
                          Figure(l.no_load_max_W, kMilliwattsPerWatt, 0, " mW"),
                          // Whether the verdicts bind, and why a rule is not checked, is told
                          // below the table.
                          std::string(VerdictName(v, rules.external_power_supply))});
  }
  return TableHtml(table);
}

// " CoC Tier 2 is not checked: why." for each rule the map is not checked
// against.
std::string NotCheckedRules(const RulesCheck& rules) {
  std::string text;
  for (const RuleVerdict& v : rules.verdicts) {
    if (v.meets) continue;
    text += " " +
            EscapeHtml(std::string(RuleName(v.rule)) +
                       " not checked: " + VerdictText(v, rules.external_power_supply)) +
            ".";
  }
  return text;
}

// The corner whose loop has the least phase margin; where no corner's gain
// crosses 0 dB, the first.
const LoopCorner& WorstCorner(const LoopDesign& loop) {
  const LoopCorner* worst = &loop.corners.front();
  for (const LoopCorner& corner : loop.corners) {
    const std::optional<double>& pm = corner.margins.phase_margin_deg;
    if (pm && (!worst->margins.phase_margin_deg || *pm < *worst->margins.phase_margin_deg)) {
      worst = &corner;
    }
  }
  return *worst;
}

std::string CornerName(const LoopCorner& c) {
  return std::string(c.line) + ", " + Rounded(kPercent * c.load_share, 0) + " % load, CTR " +
         Rounded(c.CTR, 2);
}

// The compensator of the curves and the margins beside the proposal, part
// by part.
std::string PartsTable(const LoopDesign& loop) {
  struct Part {
    const char* name;
    double OptoCompensator::*value;
    int decimals;
    const char* unit;
    const char* role;
  };
  static constexpr Part kParts[] = {
      {"R65", &OptoCompensator::R_up_kOhm, 1, " kΩ", "upper resistor of the divider"},
      {"R_LED", &OptoCompensator::R_LED_kOhm, 2, " kΩ",
       "opto LED's series resistor from output 1 (the fast lane)"},
      {"R_z", &OptoCompensator::R_z_kOhm, 2, " kΩ", "in series with C_z, cathode to reference"},
      {"C_z", &OptoCompensator::C_z_nF, 3, " nF", "the shunt regulator's compensation capacitor"},
      {"C_p", &OptoCompensator::C_p_nF, 3, " nF", "across R_z and C_z"},
      {"C_pole", &OptoCompensator::C_pole_nF, 3, " nF", "feedback pin to ground: the high pole"},
  };
  HtmlTable table{
      "parts",
      {"Part", loop.parts_chosen ? "Set by hand" : "Component list", "Proposed", "Role"},
      {}};
  for (const Part& part : kParts) {
    table.rows.push_back({part.name, Figure(loop.parts.*part.value, 1, part.decimals, part.unit),
                          Figure(loop.compensator.rounded.*part.value, 1, part.decimals, part.unit),
                          part.role});
  }
  return TableHtml(table);
}

std::string MarginsTable(const LoopDesign& loop) {
  HtmlTable table{"loop",
                  {"Line", "Load", "CTR", "Mode", "f_sw", "Crossover", "Phase margin",
                   "Gain margin", "Warnings"},
                  {}};
  for (const LoopCorner& c : loop.corners) {
    std::string warnings;
    for (const LoopWarning w : c.warnings) {
      warnings += (warnings.empty() ? "" : "; ") + std::string(LoopWarningText(w));
    }
    table.rows.push_back({EscapeHtml(c.line), Rounded(kPercent * c.load_share, 0) + " %",
                          Figure(c.CTR, 1, 2, ""), std::string(SwitchingModeName(c.plant.mode)),
                          Figure(c.plant.f_sw_Hz, 1.0 / 1000, 1, " kHz"),
                          Figure(c.margins.crossover_Hz, 1, 0, " Hz"),
                          Figure(c.margins.phase_margin_deg, 1, 1, " °"),
                          Figure(c.margins.gain_margin_dB, 1, 1, " dB"),
                          "<span class=\"warning\">" + EscapeHtml(warnings) + "</span>"});
  }
  return TableHtml(table);
}

}  // namespace

std::optional<ReportSection> EfficiencySection(const DesignReportInput& input) {
  if (input.efficiency_map == nullptr || input.efficiency_rules == nullptr ||
      input.efficiency_map->rows.empty()) {
    return std::nullopt;
  }
  const EfficiencyMap& map = *input.efficiency_map;
  const RulesCheck& rules = *input.efficiency_rules;
  // The chart and the tables side by side, so that the section shares its
  // page with the parts list, or with the simulation after the ranking.
  std::string body =
      "<div class=\"side-by-side\">\n<figure>\n" + EfficiencySvg(map, rules) +
      "<figcaption>Every output at the same share of its Imax; the rules' least efficiencies "
      "dashed.</figcaption>\n</figure>\n<div>\n" +
      MapTable(map) + RulesTable(rules) + "<p class=\"notes\">The rules for a " +
      EscapeHtml(std::string(SupplyClassName(rules.supply_class)) + " supply of " +
                 Significant(rules.P_rated_W) + " W") +
      (rules.external_power_supply ? ", the design an external power supply."
                                   : ", a reference only (not said to be an external power "
                                     "supply).") +
      NotCheckedRules(rules) + "</p>\n</div>\n</div>\n";
  return ReportSection{"efficiency", "Efficiency over line and load", false, body};
}

std::optional<ReportSection> LoopSection(const DesignReportInput& input) {
  if (input.loop == nullptr || input.loop->corners.empty()) return std::nullopt;
  const LoopDesign& loop = *input.loop;
  const LoopCorner& worst = WorstCorner(loop);
  std::string body = "<p>Output 1 at " + EscapeHtml(Significant(loop.output.U_V) + " V") +
                     " regulated through the shunt regulator and the opto-coupler (CTR " +
                     EscapeHtml(Rounded(loop.assumptions.CTR_min, 2) + " to " +
                                Rounded(loop.assumptions.CTR_max, 2)) +
                     "). The curves and the margins are those of " +
                     (loop.parts_chosen ? "the compensator set in the overview"
                                        : "the component list's compensator") +
                     "; beside it the proposal, designed for a crossover at " +
                     Figure(loop.compensator.crossover_Hz, 1, 0, " Hz") +
                     " and a phase margin of " +
                     Figure(loop.compensator.phase_margin_deg, 1, 0, " °") + " (E24).</p>\n";
  body += PartsTable(loop);
  body += "<figure class=\"pair\">\n" + BodeSvg(worst) +
          "<figcaption>Loop gain and phase of the corner with the least phase margin (" +
          EscapeHtml(CornerName(worst)) + "); the crossover dashed.</figcaption>\n</figure>\n";
  body += MarginsTable(loop);
  return ReportSection{"loop", "Feedback loop", false, body};
}

}  // namespace flyback
