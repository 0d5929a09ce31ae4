// PFC choke calculator: five questions, the result on the window, another
// attempt or the optional PFC choke report.

#include <array>
#include <string_view>

#include "base/console/answer_reading.h"
#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/reports/pfc_choke.h"
#include "pages/dialogue/pages.h"
#include "pages/reports/report_header.h"

namespace flyback {

namespace {

// One result line, as the window and the report file show it: the label, the
// number of zone advances to the value, the value and its unit.
struct ResultLine {
  std::string_view screen_label;
  int screen_zones;
  std::string_view file_label;
  int file_zones;
  double PfcChoke::*value;
  bool whole;  // shown rounded to a whole number
  std::string_view unit;
};

constexpr std::array<ResultLine, 11> kResultLines = {{
    {" Inductivity", 2, "      Inductivity", 1, &PfcChoke::L_pfc, false, "mH"},
    {" Max. Current", 2, "      Max. Current", 1, &PfcChoke::I_pfc, false, "A"},
    {" AL", 2, "      AL", 2, &PfcChoke::AL_pfc, true, "nH"},
    {" Ae", 2, "      Ae", 2, &PfcChoke::Ae_pfc, false, "mm²"},
    {" Magnetization Bmax", 1, "      Magnetization Bmax", 1, &PfcChoke::Bmax_pfc, false, " mT"},
    {" Number of turns n", 1, "      Number of turns n", 1, &PfcChoke::n_pfc, false, ""},
    {" Current density", 1, "      Current density", 1, &PfcChoke::J_pfc, false, "A/mm²"},
    {" Minimum cross section", 1, "      Minimum cross section", 1, &PfcChoke::A_min_pfc, false,
     "mm²"},
    {" Diameter of wire", 1, "      Diameter of wire", 1, &PfcChoke::d_pfc, false, "mm"},
    {" Cross section of wire", 1, "      Cross section of wire", 1, &PfcChoke::A_wire_pfc, false,
     "mm²"},
    {" Number of wires parallel", 1, "      Number of wires par.", 1, &PfcChoke::n_wires_pfc, false,
     ""},
}};

Line ResultLineOf(std::string_view label, int zones, const ResultLine& row, const PfcChoke& c) {
  Line line{label};
  for (int i = 0; i < zones; ++i) line.emplace_back(zone);
  const double value = c.*row.value;
  line.emplace_back(row.whole ? RoundTo(value, 0) : value);
  if (!row.unit.empty()) line.emplace_back(row.unit);
  return line;
}

PfcChoke AskAndCalculate(Dialogue& d) {
  d.Clear();
  d.Write();
  d.Write({" CALCULATION OF THE PFC CHOKE"});
  d.Write();
  // Core data and wire diameter divide: they must be positive. A zero
  // inductance is a (useless but harmless) choke without turns.
  const double L_pfc =
      d.AskNumber({"Inductivity", "0.5", "Wanted inductivity in mH"}, Accept::kNonNegative);
  const double I_pfc =
      d.AskNumber({"Maximum Current", "3", "Maximum current in the PFC choke in A"});
  const double d_pfc =
      d.AskNumber({"Diameter", "0.63", "Diameter of wire in mm ?"}, Accept::kPositive);
  const double AL_pfc = d.AskNumber({"AL-value in nH", "76", ""}, Accept::kPositive);
  const double Ae_pfc = d.AskNumber({"Ae-value in mm²", "76", ""}, Accept::kPositive);
  return CalculatePfcChoke(L_pfc, I_pfc, d_pfc, AL_pfc, Ae_pfc);
}

void ShowResult(Dialogue& d, const PfcChoke& c) {
  d.Clear();
  d.WriteEmptyLines(4);
  for (const ResultLine& row : kResultLines) {
    d.Write(ResultLineOf(row.screen_label, row.screen_zones, row, c));
  }
}

void WriteReport(Dialogue& d, ReportHeaderAnswers& header_answers, const PfcChoke& c) {
  ReportWriter report = OpenReportWithHeader(d, header_answers, kPfcChokeReport);
  report.WriteEmptyLines(2);
  for (const ResultLine& row : kResultLines) {
    if (&row != &kResultLines.front()) report.Write();
    report.Write(ResultLineOf(row.file_label, row.file_zones, row, c));
  }
  report.Close();
}

}  // namespace

Page PfcChokePage(Dialogue& d) {
  const PfcChoke choke = AskAndCalculate(d);
  ShowResult(d, choke);
  if (d.Ask({"New attempt ?", "no(Ret) Yes(1)", ""}) == "1") return Page::kPfcChoke;
  if (ReadWholeAnswer(d.Ask({"Print result ?", "no(Ret) yes(1)", ""})) == 1.0) {
    WriteReport(d, d.parts().report_header(ReportPagesKey{}), choke);
  }
  return Page::kMainMenu;
}

}  // namespace flyback
