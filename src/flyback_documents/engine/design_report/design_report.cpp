#include "engine/design_report/design_report.h"

#include "engine/design_report/html_text.h"
#include "engine/design_report/report_sections.h"
#include "engine/design_report/report_style.h"

namespace flyback {

namespace {

// The name of the power supply and the date as the report header asked them;
// a design whose header was never asked has neither.
Html TitleBlock(const DesignReportInput& input) {
  const ReportHeaderAnswers& header = input.design.report;
  Html out = "<header class=\"title-block\">\n<h1>Flyback design report";
  if (header.header_asked && !header.smps_name.empty()) {
    out += ": " + Html::Text(header.smps_name);
  }
  out += "</h1>\n";
  if (header.header_asked && !header.report_date.empty()) {
    out += Element("p", "Date: " + Html::Text(header.report_date)) + "\n";
  }
  out += Element("p", "Transformer " + Html::Text(input.design.inputs.tr_name) + ", " +
                          Html::Text(std::to_string(input.design.inputs.n_sec)) + " output(s), " +
                          Html::Text(Significant(input.design.inputs.P_out_max)) +
                          " W. All values are starting points for a real design: build and "
                          "measure.") +
         "\n";
  return out + "</header>\n";
}

Html Title(const DesignReportInput& input) {
  const ReportHeaderAnswers& header = input.design.report;
  std::string title = "Flyback design report";
  if (header.header_asked && !header.smps_name.empty()) title += " – " + header.smps_name;
  return Html::Text(title);
}

}  // namespace

const std::vector<SectionWriter>& DesignReportSections() {
  // Printed: the design at a glance on the first page, the derivations on
  // the second, what the winder and the thermal check need on the third,
  // the parts, the loop and the optimization's or the adviser's findings on
  // the fourth, the efficiency over line and load and the simulation after
  // them. The first page keeps room for as many findings as the design has.
  static const std::vector<SectionWriter> kSections = {
      InputsSection,       KeyFiguresSection,   OutputWindowsSection, DerivationsSection,
      WindingSheetSection, CurrentsSection,     LossesSection,        PartsListSection,
      LoopSection,         OptimizationSection, AlternativesSection,  EfficiencySection,
      SimulationSection,
  };
  return kSections;
}

std::string DesignReportHtml(const DesignReportInput& input, std::string* non_finite) {
  auto name_non_finite = [non_finite,
                          noted = NonFiniteFiguresNoted()](const std::string& where) mutable {
    if (NonFiniteFiguresNoted() == noted) return;
    noted = NonFiniteFiguresNoted();
    if (non_finite != nullptr && non_finite->empty()) {
      *non_finite = "a figure of " + where + " is not finite";
    }
  };
  Html html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  html += Element("title", Title(input)) + "\n" + Element("style", DesignReportStyle()) +
          "\n</head>\n<body>\n";
  html += TitleBlock(input);
  // How to read the figures, where the reader starts: the last page is
  // often full.
  html += Element("p",
                  "Written by " + Html::Text(input.program) +
                      ". Numbers: \".\" as the decimal point; figures rounded as the result "
                      "screen shows them, intermediate values to 5 significant digits.",
                  "notes") +
          "\n";
  name_non_finite("its title");
  for (const SectionWriter writer : DesignReportSections()) {
    const std::optional<ReportSection> section = writer(input);
    if (!section) continue;
    name_non_finite("its section \"" + section->title + "\"");
    html += "<section id=\"" + Html::Text(section->id) + "\"" +
            (section->new_page ? Html(" class=\"chapter\"") : Html()) + ">\n" +
            Element("h2", Html::Text(section->title)) + "\n" + section->body + "</section>\n";
  }
  html += "</body>\n</html>\n";
  return html.str();
}

}  // namespace flyback
