// The sections on the design itself: its inputs, its key figures with the
// checks, and the derivation of every figure.

#include <string>
#include <vector>

#include "engine/design_report/figure_derivations.h"
#include "engine/design_report/html_text.h"
#include "engine/design_report/report_sections.h"
#include "engine/overview/design_overview.h"
#include "engine/overview/loss_overview.h"

namespace flyback {

namespace {

Html YesNo(bool yes) {
  return yes ? Html("yes") : Html("no");
}

Html WithUnit(double x, const char* unit) {
  return Html::Text(Significant(x) + " " + unit);
}

Html OutputsTable(const DesignInputs& in) {
  HtmlTable table{"", {"Output", "Umin", "Umax", "Imax"}, {}};
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    table.rows.push_back({"U" + Html::Text(std::to_string(i)), WithUnit(out.Umin, "V"),
                          WithUnit(out.Umax, "V"), WithUnit(out.Imax, "A")});
  }
  return TableHtml(table);
}

Html CircuitTable(const DesignInputs& in) {
  HtmlTable table{"", {"Entry", "Value", "Entry", "Value"}, {}};
  const Html mains =
      in.dc_input ? WithUnit(in.U_DC_min, "V") + " to " + WithUnit(in.U_DC_max, "V DC")
                  : WithUnit(in.U_mains_min, "V") + " to " + WithUnit(in.U_mains_max, "V rms");
  const Html frequency_mode = in.fixed_freq ? "fixed, " + WithUnit(in.f_fix_min, "kHz") + " to " +
                                                  WithUnit(in.f_fix_max, "kHz")
                                            : "free running";
  Html core =
      Html::Text(in.tr_name) + ", AL " + WithUnit(in.AL, "nH") + ", Ae " + WithUnit(in.Ae, "mm²");
  if (in.airgap_shown) core += ", g " + WithUnit(in.g, "mm");
  table.rows = {
      {"P_out_max", WithUnit(in.P_out_max, "W"), "Input range", mains},
      {"Efficiency η", Html::Text(Significant(in.eta)), "Overshoot factor k_os",
       Html::Text(Significant(in.k_os))},
      {"P_in_max", WithUnit(in.P_in_max, "W"), "Lowest frequency f_low_lim",
       WithUnit(in.f_low_lim, "kHz")},
      {"Current density J", WithUnit(in.J, "A/mm²"), "Magnetization limit Bmaxlim",
       WithUnit(in.Bmaxlim, "mT")},
      {"PFC", YesNo(in.PFC), "Drain voltage limit U_D_lim", WithUnit(in.U_D_lim, "V")},
      {"Control IC",
       in.ic_type == ControlIc::kQrm ? Html("QRM1X305") : Html("PWX 40218-2 / PWX 40219"),
       "Frequency", frequency_mode},
      {"THP", in.THP ? "yes, P_perm " + WithUnit(in.P_perm, "W") : Html("no"), "Opto regulation",
       in.opto_reg ? "yes, " + WithUnit(in.U_opto, "V") : Html("no")},
      {"Core", core, "Wires",
       in.wire_counts ? "parallel wires of Ø " + WithUnit(in.d_wire, "mm") : Html("cross-section")},
  };
  return TableHtml(table);
}

Html VerdictCell(const std::optional<Verdict>& verdict) {
  if (!verdict) return {};
  switch (*verdict) {
    case Verdict::kError:
      return Element("span", "error", "error");
    case Verdict::kWarning:
      return Element("span", "warning", "warning");
    case Verdict::kFine:
      break;
  }
  return Element("span", "fine", "fine");
}

Html DerivationTable(const std::vector<Derivation>& rows, const Html& first_column) {
  Html out = "<table class=\"derivations\">\n<thead><tr>" + Element("th", first_column) +
             "<th>Formula</th><th>With the values</th><th "
             "class=\"number\">Result</th></tr></thead>\n<tbody>\n";
  for (const Derivation& row : rows) {
    const Html cells =
        Element("td", Html::Text(row.figure)) +
        Element("td", Html::Text(row.symbol) + " = " + Html::Text(row.formula), "formula") +
        Element("td", Html::Text(row.values), "formula") +
        Element("td", Html::Text(row.result), "number");
    out += Element("tr", cells, row.on_screen ? "shown" : "step") + "\n";
  }
  return out + "</tbody>\n</table>\n";
}

}  // namespace

std::optional<ReportSection> InputsSection(const DesignReportInput& input) {
  const DesignInputs& in = input.design.inputs;
  return ReportSection{"inputs", "Inputs", false, OutputsTable(in) + CircuitTable(in)};
}

std::optional<ReportSection> KeyFiguresSection(const DesignReportInput& input) {
  std::vector<KeyFigure> figures = KeyFigures(input.design, input.findings);
  for (KeyFigure& figure : LossKeyFigures(input.design.inputs, input.budget, input.findings)) {
    figures.push_back(std::move(figure));
  }
  HtmlTable table{"", {"Figure", "Value", "Limit", "Check"}, {}};
  for (const KeyFigure& figure : figures) {
    table.rows.push_back({Html::Text(figure.name), Html::Text(figure.value),
                          Html::Text(figure.limit), VerdictCell(figure.verdict)});
  }
  Html body = TableHtml(table);
  if (input.findings.empty()) {
    body += "<p>The checks find every figure within its bounds.</p>\n";
  } else {
    // The simulation's disagreements stand one by one in its own table,
    // marked OUTSIDE; here they are counted, so that the first page holds
    // the design at a glance however many figures the simulation misses.
    long disagreements = 0;
    body += "<ul class=\"findings keep\">\n";
    for (const Finding& finding : input.findings) {
      if (finding.code == kSimulationDisagrees) {
        ++disagreements;
        continue;
      }
      const bool error = finding.severity == Severity::kError;
      body +=
          Element("li",
                  Html::Text(SeverityName(finding.severity)) + ": " + Html::Text(finding.message),
                  error ? "error" : "warning") +
          "\n";
    }
    if (disagreements > 0) {
      body += Element("li",
                      "warning: the simulation disagrees with the calculation in " +
                          Html::Text(std::to_string(disagreements)) +
                          (disagreements == 1 ? Html(" figure") : Html(" figures")) +
                          ", each marked OUTSIDE under \"Simulation beside the calculation\"",
                      "warning") +
              "\n";
    }
    body += "</ul>\n";
  }
  return ReportSection{"key-figures", "Key figures and checks", false, body};
}

std::optional<ReportSection> DerivationsSection(const DesignReportInput& input) {
  Html body =
      "<p>Each figure of the result screen (bold) with the formula that finds it and the "
      "values of this design; the rows between give the quantities it is built from. Units: "
      "V, A, W, mT, mm², nH, µH, µs, kHz; L in µH from AL in nH.</p>\n";
  body += DerivationTable(ResultDerivations(input.design), "Figure");
  body += "<h3>Winding table</h3>\n" + DerivationTable(WindingDerivations(input.design), "Winding");
  return ReportSection{"derivations", "How each figure is found", true, body};
}

}  // namespace flyback
