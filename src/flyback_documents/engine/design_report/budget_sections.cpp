// The sections on what the design costs and how it was found: the loss
// budget, the parts list and the optimization.

#include <optional>
#include <string>

#include "base/console/number_text.h"
#include "engine/design_report/html_text.h"
#include "engine/design_report/report_charts.h"
#include "engine/design_report/report_sections.h"
#include "engine/overview/loss_overview.h"
#include "engine/transformer/optimization_rating.h"

namespace flyback {

namespace {

Html SwitchingTable(const LossBudget& budget) {
  HtmlTable table{
      "",
      {"Operating point", "Mode", "U_bus", "P_in", "I_pk", "t_on", "t_off", "Period", "B_pk"},
      {}};
  for (const OperatingPointLosses* p : budget.points()) {
    const SwitchingPoint& s = p->switching;
    table.rows.push_back(
        {Html::Text(p->name), Html::Text(SwitchingModeName(s.mode)),
         Html::Text(Significant(s.U_bus_V, 4) + " V"), Html::Text(Significant(s.P_in_W, 4) + " W"),
         Html::Text(Significant(s.I_pk_A, 4) + " A"), Html::Text(Significant(s.t_on_us, 4) + " µs"),
         Html::Text(Significant(s.t_off_us, 4) + " µs"),
         Html::Text(Significant(s.period_us, 4) + " µs"),
         Html::Text(Significant(s.B_max_mT, 4) + " mT")});
  }
  return TableHtml(table);
}

}  // namespace

std::optional<ReportSection> LossesSection(const DesignReportInput& input) {
  const LossOverview overview = WhereTheWattsGo(input.budget);
  HtmlTable table{"", {"Loss", "Lowest input voltage, bus valley", "Highest input voltage"}, {}};
  for (const LossBar& bar : overview.bars) {
    for (const std::optional<double>& W : {bar.lowest_W, bar.highest_W}) NoteFigure(W.value_or(0));
    table.rows.push_back(
        {Html::Text(bar.name), Html::Text(bar.lowest_text), Html::Text(bar.highest_text)});
  }
  table.rows.push_back({Element("b", "total"),
                        Element("b", Html::Text(WattText(overview.lowest_total_W))),
                        Element("b", Html::Text(WattText(overview.highest_total_W)))});
  for (const double figure : {overview.lowest_total_W, overview.highest_total_W}) {
    NoteFigure(figure);
  }
  for (const OperatingPointLosses* p : input.budget.points()) NoteFigure(p->efficiency);
  Html summary = "Efficiency: " + Html::Text(overview.efficiency) +
                 ". Temperature: " + Html::Text(overview.rise) + " in still air.";
  if (!overview.note.empty()) summary += " Core: " + Html::Text(overview.note) + ".";
  const Html body = SwitchingTable(input.budget) + TableHtml(table) + Element("p", summary) + "\n";
  return ReportSection{"losses", "Loss budget and temperature rise", false, body};
}

std::optional<ReportSection> PartsListSection(const DesignReportInput& input) {
  if (!input.design.component_list) return std::nullopt;
  HtmlTable table{"parts", {"Designator", "Qty", "Value", "Part", "Rating", "Remark"}, {}};
  for (const ComponentRow& row : *input.design.component_list) {
    if (row.value) NoteFigure(*row.value);
    const std::string value =
        row.value ? SignedNumberText(*row.value) + " " + row.unit : std::string();
    table.rows.push_back({Html::Text(row.designator), Html::Text(std::to_string(row.quantity)),
                          Html::Text(value), Html::Text(row.part), Html::Text(row.rating),
                          Html::Text(row.remark)});
  }
  return ReportSection{"parts-list", "Parts list", true, TableHtml(table)};
}

std::optional<ReportSection> OptimizationSection(const DesignReportInput& input) {
  if (!input.optimization || input.optimization->steps.empty()) return std::nullopt;
  const OptimizationRecord& record = *input.optimization;
  // The chart at half the width with its caption and the best row beside
  // it, so that the ranking finds room below; the best row stays on the page
  // of the sweep it was read from.
  Html body = "<figure class=\"side-by-side\">\n" + OptimizationSweepSvg(record) +
              "<figcaption>The accuracy product of the output voltages for every step "
              "of the sweep from " +
              Html::Text(Significant(record.start_Bmax) + " mT") +
              " (line), the listed rows (dots), the best row (ring) and the Bmax chosen "
              "for the final calculation (dashed).\n";
  if (record.best) {
    body +=
        Element("p", "Best row: Bmax " + Html::Text(Significant(record.best->Bmax) + " mT") +
                         ", fsntmin " + Html::Text(Rounded(record.best->fsntmin, 1) + " kHz") +
                         ", U_ts " + Html::Text(Rounded(record.best->U_ts, 2) + " V") + ", cfmax " +
                         Html::Text(NumberText(DisplayedCfmax(record.best->cf_prod))) +
                         " as Form1 lists it (the fourth root of the accuracy product " +
                         Html::Text(Significant(record.best->cf_prod)) + ").") +
        "\n";
  }
  return ReportSection{"optimization", "Optimization of the output voltages", false,
                       body + "</figcaption>\n</figure>\n"};
}

}  // namespace flyback
