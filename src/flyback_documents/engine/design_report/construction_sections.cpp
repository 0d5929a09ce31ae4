// The sections for building the transformer and seeing it work: the winding
// sheet, the output windows and the currents.

#include <string>
#include <utility>

#include "engine/design_report/html_text.h"
#include "engine/design_report/report_charts.h"
#include "engine/design_report/report_sections.h"
#include "engine/design_report/winding_sheet.h"
#include "engine/overview/design_overview.h"

namespace flyback {

std::optional<ReportSection> WindingSheetSection(const DesignReportInput& input) {
  const WindingSheet sheet = MakeWindingSheet(input.design, input.budget);
  HtmlTable table{
      "winding-sheet",
      {"Step", "Winding", "Turns", "Wire", "Layers", "Start • → finish", "Tape layers", "Remark"},
      {}};
  for (const WindingSheetRow& row : sheet.rows) {
    table.rows.push_back({EscapeHtml(row.step), EscapeHtml(row.winding), EscapeHtml(row.turns),
                          EscapeHtml(row.wire), EscapeHtml(row.layers), EscapeHtml(row.ends),
                          EscapeHtml(row.tape), EscapeHtml(row.remark)});
  }
  std::string body = "<p>Core: " + EscapeHtml(input.design.inputs.tr_name) +
                     ". Windings from the core outwards.</p>\n" + TableHtml(table);
  body += "<div class=\"notes keep\">\n";
  const std::pair<const char*, const std::string*> notes[] = {
      {"Bobbin", &sheet.bobbin},
      {"Phasing", &sheet.phasing},
      {"Wire", &sheet.wire},
      {"Insulation", &sheet.insulation},
      {"Primary inductance", &sheet.inductance},
      {"Leakage inductance", &sheet.leakage},
      {"Airgap", &sheet.airgap},
  };
  for (const auto& [label, text] : notes) {
    body += "<p><b>" + std::string(label) + ":</b> " + KeepUnitsWithValues(EscapeHtml(*text)) +
            "</p>\n";
  }
  body += "</div>\n";
  return ReportSection{"winding-sheet", "Winding sheet", true, body};
}

std::optional<ReportSection> OutputWindowsSection(const DesignReportInput& input) {
  const std::string body = "<figure>\n" +
                           OutputWindowsSvg(OutputBars(input.design, input.findings)) +
                           "<figcaption>The voltage window of every output and of the IC supply "
                           "(blue) with the actual voltage (dot; green: fine, orange: warning, "
                           "red: error).</figcaption>\n</figure>\n";
  return ReportSection{"output-windows", "Output windows", false, body};
}

std::optional<ReportSection> CurrentsSection(const DesignReportInput& input) {
  const std::string body =
      "<figure>\n" + CurrentWaveformsSvg(Waveforms(input.design)) +
      "<figcaption>Drain current and secondary current referred to the primary over one "
      "period at the lowest input voltage and full load.</figcaption>\n</figure>\n";
  return ReportSection{"currents", "Currents over one period", false, body};
}

}  // namespace flyback
