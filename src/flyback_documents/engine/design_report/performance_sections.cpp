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
Html Figure(std::optional<double> x, double factor, int decimals, const char* unit) {
  if (!x) return "–";
  NoteFigure(*x);
  return Html::Text(Rounded(factor * *x, decimals) + unit);
}

// The figures the rules ask for at every input voltage of the map (a column
// each; the chart beside it draws every load): the 4-point average, the
// efficiency at 10 % load and the no-load input power.
Html MapTable(const EfficiencyMap& map) {
  HtmlTable table{"map", {"At"}, {}};
  std::vector<Html> average{"4-point average"};
  std::vector<Html> ten_percent{"10 % load"};
  std::vector<Html> no_load{"no load"};
  for (const MapRow& row : map.rows) {
    table.header.push_back(Html::Text(Significant(row.voltage.U_input_V) + " V"));
    average.push_back(Figure(FourPointAverage(row), kPercent, 1, " %"));
    ten_percent.push_back(
        row.loads.empty() ? Html("–") : Figure(row.loads.front().efficiency, kPercent, 1, " %"));
    no_load.push_back(Figure(row.no_load.P_in_W, kMilliwattsPerWatt, 0, " mW"));
  }
  table.rows = {std::move(average), std::move(ten_percent), std::move(no_load)};
  return TableHtml(table);
}

// Each rule's limits at its mains voltage (the map's column of that
// voltage holds the figures) and the verdict.
Html RulesTable(const RulesCheck& rules) {
  HtmlTable table{"map", {"Rule", "Average ≥", "10 % ≥", "No load ≤", "Verdict"}, {}};
  for (const RuleVerdict& v : rules.verdicts) {
    const RuleLimits& l = v.limits;
    table.rows.push_back({Html::Text(std::string(RuleName(v.rule)) + ", " +
                                     Rounded(RuleMainsVoltage(v.rule), 0) + " V"),
                          Figure(l.average_min, kPercent, 1, " %"),
                          Figure(l.ten_percent_min, kPercent, 1, " %"),
                          Figure(l.no_load_max_W, kMilliwattsPerWatt, 0, " mW"),
                          // Whether the verdicts bind, and why a rule is not checked, is told
                          // below the table.
                          Html::Text(VerdictName(v, rules.external_power_supply))});
  }
  return TableHtml(table);
}

// " CoC Tier 2 is not checked: why." for each rule the map is not checked
// against.
Html NotCheckedRules(const RulesCheck& rules) {
  Html text;
  for (const RuleVerdict& v : rules.verdicts) {
    if (v.meets) continue;
    text += " " +
            Html::Text(std::string(RuleName(v.rule)) +
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
Html PartsTable(const LoopDesign& loop) {
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
  HtmlTable table{"parts",
                  {"Part", loop.parts_chosen ? Html("Set by hand") : Html("Component list"),
                   "Proposed", "Role"},
                  {}};
  for (const Part& part : kParts) {
    table.rows.push_back({Html::Text(part.name),
                          Figure(loop.parts.*part.value, 1, part.decimals, part.unit),
                          Figure(loop.compensator.rounded.*part.value, 1, part.decimals, part.unit),
                          Html::Text(part.role)});
  }
  return TableHtml(table);
}

Html MarginsTable(const LoopDesign& loop) {
  HtmlTable table{"loop",
                  {"Line", "Load", "CTR", "Mode", "f_sw", "Crossover", "Phase margin",
                   "Gain margin", "Warnings"},
                  {}};
  for (const LoopCorner& c : loop.corners) {
    std::string warnings;
    for (const LoopWarning w : c.warnings) {
      warnings += (warnings.empty() ? "" : "; ") + std::string(LoopWarningText(w));
    }
    table.rows.push_back({Html::Text(c.line),
                          Html::Text(Rounded(kPercent * c.load_share, 0) + " %"),
                          Figure(c.CTR, 1, 2, ""), Html::Text(SwitchingModeName(c.plant.mode)),
                          Figure(c.plant.f_sw_Hz, 1.0 / 1000, 1, " kHz"),
                          Figure(c.margins.crossover_Hz, 1, 0, " Hz"),
                          Figure(c.margins.phase_margin_deg, 1, 1, " °"),
                          Figure(c.margins.gain_margin_dB, 1, 1, " dB"),
                          Element("span", Html::Text(warnings), "warning")});
  }
  return TableHtml(table);
}

// The runs in ngspice of corners among `corners` (the list's or the
// proposal's) beside their analytic figures, `note` below.
Html SimulatedLoopTable(const std::vector<LoopCorner>& corners,
                        const std::vector<SimulatedLoopCorner>& runs, const Html& note) {
  HtmlTable table{"loop-simulated",
                  {"Corner", "Why", "Crossover", "Phase margin", "Largest difference", "Verdict"},
                  {}};
  for (const SimulatedLoopCorner& s : runs) {
    const LoopCorner& c = corners[s.corner];
    if (!s.failure.empty()) {
      table.rows.push_back({Html::Text(CornerName(c)), Html::Text(s.reason), "–", "–", "–",
                            Element("span", Html::Text(s.failure), "warning")});
      continue;
    }
    const LoopComparison& m = s.comparison;
    table.rows.push_back(
        {Html::Text(CornerName(c)), Html::Text(s.reason),
         Figure(m.simulated_margins.crossover_Hz, 1, 0, " Hz") + " (" +
             Figure(c.margins.crossover_Hz, 1, 0, " Hz") + ")",
         Figure(m.simulated_margins.phase_margin_deg, 1, 1, " °") + " (" +
             Figure(c.margins.phase_margin_deg, 1, 1, " °") + ")",
         Figure(m.gain_difference_dB, 1, 2, " dB") + " at " +
             Figure(m.gain_difference_at_Hz, 1, 0, " Hz") + ", " +
             Figure(m.phase_difference_deg, 1, 1, " °") + " at " +
             Figure(m.phase_difference_at_Hz, 1, 0, " Hz"),
         m.agrees ? Html("within ±1 dB, ±5°") : Element("span", "outside ±1 dB, ±5°", "warning")});
  }
  return TableHtml(table) + Element("p", note, "notes") + "\n";
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
  const Html notes =
      "The rules for a " +
      Html::Text(std::string(SupplyClassName(rules.supply_class)) + " supply of " +
                 Significant(rules.P_rated_W) + " W") +
      (rules.external_power_supply ? Html(", the design an external power supply.")
                                   : Html(", a reference only (not said to be an external power "
                                          "supply).")) +
      NotCheckedRules(rules);
  const Html tables =
      "\n" + MapTable(map) + RulesTable(rules) + Element("p", notes, "notes") + "\n";
  const Html body =
      Element("div",
              "\n" +
                  ChartFigure(EfficiencySvg(map, rules),
                              "Every output at the same share of its Imax; the rules' least "
                              "efficiencies dashed.") +
                  Element("div", tables) + "\n",
              "side-by-side") +
      "\n";
  return ReportSection{"efficiency", "Efficiency over line and load", false, body};
}

std::optional<ReportSection> LoopSection(const DesignReportInput& input) {
  if (input.loop == nullptr || input.loop->corners.empty()) return std::nullopt;
  const LoopDesign& loop = *input.loop;
  const LoopCorner& worst = WorstCorner(loop);
  const Html regulated = "Output 1 at " + Html::Text(Significant(loop.output.U_V) + " V") +
                         " regulated through the shunt regulator and the opto-coupler (CTR " +
                         Html::Text(Rounded(loop.assumptions.CTR_min, 2) + " to " +
                                    Rounded(loop.assumptions.CTR_max, 2)) +
                         "). The curves and the margins are those of " +
                         (loop.parts_chosen ? Html("the compensator set in the overview")
                                            : Html("the component list's compensator")) +
                         "; beside it the proposal, designed for a crossover at " +
                         Figure(loop.compensator.crossover_Hz, 1, 0, " Hz") +
                         " and a phase margin of " +
                         Figure(loop.compensator.phase_margin_deg, 1, 0, " °") + " (E24).";
  Html body = Element("p", regulated) + "\n" + PartsTable(loop);
  body += ChartFigure(BodeSvg(worst),
                      "Loop gain and phase of the corner with the least phase margin (" +
                          Html::Text(CornerName(worst)) + "); the crossover dashed.",
                      "pair");
  body += MarginsTable(loop);
  if (input.loop_simulation != nullptr) {
    const LoopSimulation& simulated = *input.loop_simulation;
    body += SimulatedLoopTable(loop.corners, simulated.corners,
                               "Simulated in ngspice (.ac of an averaged circuit), the analytic "
                               "figure in brackets; the differences up to twice the crossover.");
    if (!simulated.proposed.empty()) {
      body += SimulatedLoopTable(loop.proposed_corners, simulated.proposed,
                                 "The proposal's parts simulated at the same corners, the "
                                 "proposal's analytic figure in brackets.");
    }
  }
  return ReportSection{"loop", "Feedback loop", false, body};
}

}  // namespace flyback
