// Main-menu choice "Print list of components": List 1 (mains side, power and
// control components) and List 2 (secondary side, opto coupler) of the
// present design, dimensioned afresh, into a report file.

#include "engine/components/dimensioning.h"
#include "engine/reports/component_list.h"
#include "pages/dialogue/pages.h"
#include "pages/reports/report_header.h"

namespace flyback {

namespace {

// With PFC the user chooses between the conventional mains filter and the
// additional DC filter behind the bridge rectifier.
MainsFilter AskFilter(Dialogue& d) {
  d.Clear();
  for (const char* text :
       {" Conventional filter circuit (Ret)    Additional DC filter circuit (1)",
        " The DC filter circuit can be used in SMPSs with the PFC charge pump circuit (C08, L08, "
        "D08).",
        " This filter circuit consists of a 1 µF capacitor (C05) after the bridge rectifier",
        " and an additional fast diode (D05). The advantage is, that the bridge rectifier can "
        "consist in slow diodes",
        " and the expensive X-capacitors (C01 and C02) can be made smaller."}) {
    d.Write();
    d.Write({text});
  }
  const std::string answer = d.Ask({"What filter ? (see note above)", "Conv(Ret)  DC(1)", ""});
  return answer == "1" ? MainsFilter::kDcFilter : MainsFilter::kConventional;
}

Line List2Title(const DesignState& s) {
  return {s.inputs.PFC ? "      List 2 of components for PFC SMPS   "
                       : "      List 2 of components for SMPS   ",
          s.report.smps_name};
}

}  // namespace

Page ComponentListPage(Dialogue& d) {
  const ComponentPagesKey key{};
  const DesignState& s = d.design();
  // The filter is an entry of the design that only this page asks.
  d.parts().mains_filter(key) = s.inputs.PFC ? AskFilter(d) : MainsFilter::kNotAsked;
  d.parts().components(key) = dimension_components(s);
  ComponentList list = MakeComponentList(s);
  d.parts().component_list(key) = std::move(list.rows);
  d.observer().ComponentsDimensioned(s);

  ReportWriter report =
      OpenReportWithHeader(d, d.parts().report_header(ReportPagesKey{}), kComponentListReport);
  for (const Line& line : list.list1) report.Write(line);
  report.Write(MakerLine(kComponentListReport, s));
  report.Write();
  report.Write(List2Title(s));
  report.WriteEmptyLines(2);
  for (const Line& line : list.list2) report.Write(line);
  report.Close();
  return Page::kMainMenu;
}

}  // namespace flyback
