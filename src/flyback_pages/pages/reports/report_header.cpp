#include "pages/reports/report_header.h"

#include <string>

namespace flyback {

namespace {

void PrepareScreen(Dialogue& d, const ReportHeader& header) {
  if (header.clears_window) d.Clear();
}

void WriteHint(Dialogue& d, std::string_view hint_line) {
  if (!hint_line.empty()) d.Write({std::string(hint_line)});
}

std::string AskText(Dialogue& d, std::string_view title, std::string_view default_answer) {
  return d.Ask({std::string(title), std::string(default_answer), ""});
}

// The file question until a file could be created under the answer.
void AskAndCreateFile(Dialogue& d, const ReportHeader& header) {
  Question question{std::string(header.file_title), std::string(header.file_default), ""};
  for (;;) {
    const std::string name = d.Ask(question);
    const ReportOpening opening = d.OpenReport(name);
    if (opening.outcome == ReportOpening::Outcome::kOpen) return;
    if (opening.outcome == ReportOpening::Outcome::kFailed) {
      d.Write({" Cannot create the file \"" + name + "\": " + opening.reason});
    }
    question.prompt = hint::kAnotherFileName;
  }
}

Line TitleLine(const ReportHeader& header, const DesignState& state) {
  Line line;
  if (header.lines_in_second_zone) line.emplace_back(zone);
  line.emplace_back(state.inputs.PFC ? header.title_pfc : header.title);
  if (header.name_in_next_zone) line.emplace_back(zone);
  line.emplace_back(state.report.smps_name);
  return line;
}

}  // namespace

Line MakerLine(const ReportHeader& header, const DesignState& state) {
  Line line;
  if (header.lines_in_second_zone) line.emplace_back(zone);
  line.emplace_back(header.maker);
  line.emplace_back(zone);
  line.emplace_back(state.report.report_date);
  return line;
}

ReportWriter OpenReportWithHeader(Dialogue& d, ReportHeaderAnswers& s, const ReportHeader& header) {
  PrepareScreen(d, header);
  if (!header.banner.empty()) {
    d.Write();
    d.Write({std::string(header.banner)});
    d.Write();
  }
  // An empty answer ends the program inside Ask, so a stored date or name is
  // never empty.
  if (!s.header_asked) {
    WriteHint(d, header.date_hint);
    s.report_date = AskText(d, header.date_title, header.date_default);
  }

  PrepareScreen(d, header);
  if (!s.header_asked) {
    WriteHint(d, header.name_hint);
    s.smps_name = AskText(d, header.name_title, header.name_default);
  }
  s.header_asked = true;

  PrepareScreen(d, header);
  WriteHint(d, header.file_hint);
  AskAndCreateFile(d, header);
  ReportWriter report(d);
  report.Write(MakerLine(header, d.design()));
  report.Write();
  report.Write(TitleLine(header, d.design()));
  return report;
}

}  // namespace flyback
