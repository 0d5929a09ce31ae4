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
    table.rows.push_back({Html::Text(row.step), Html::Text(row.winding), Html::Text(row.turns),
                          Html::Text(row.wire), Html::Text(row.layers), Html::Text(row.ends),
                          Html::Text(row.tape), Html::Text(row.remark)});
  }
  Html notes_html = "\n";
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
    notes_html += Element("p", Element("b", Html::Text(label) + ":") + " " +
                                   KeepUnitsWithValues(Html::Text(*text))) +
                  "\n";
  }
  const Html body = Element("p", "Core: " + Html::Text(input.design.inputs.tr_name) +
                                     ". Windings from the core outwards.") +
                    "\n" + TableHtml(table) + Element("div", notes_html, "notes keep") + "\n";
  return ReportSection{"winding-sheet", "Winding sheet", true, body};
}

std::optional<ReportSection> OutputWindowsSection(const DesignReportInput& input) {
  const Html body =
      ChartFigure(OutputWindowsSvg(OutputBars(input.design, input.findings)),
                  "The voltage window of every output and of the IC supply (blue) with "
                  "the actual voltage (dot; green: fine, orange: warning, red: error).");
  return ReportSection{"output-windows", "Output windows", false, body};
}

std::optional<ReportSection> CurrentsSection(const DesignReportInput& input) {
  const Html body = ChartFigure(CurrentWaveformsSvg(Waveforms(input.design)),
                                "Drain current and secondary current referred to the primary over "
                                "one period at the lowest input voltage and full load.");
  return ReportSection{"currents", "Currents over one period", false, body};
}

}  // namespace flyback
