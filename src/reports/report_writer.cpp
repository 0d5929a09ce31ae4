#include "reports/report_writer.h"

namespace flyback {

void ReportWriter::Write(const Line& line) {
  if (const auto reason = d_.console().WriteReportLine(line)) Abort(*reason);
}

void ReportWriter::WriteEmptyLines(int count) {
  for (int i = 0; i < count; ++i) Write();
}

void ReportWriter::Close() {
  if (const auto reason = d_.console().CloseReports()) Abort(*reason);
}

// The failed write or close has already closed the file with what it holds.
void ReportWriter::Abort(const std::string& reason) {
  d_.Write({" Cannot write the file \"" + name_ + "\": " + reason});
  throw ReportAborted{};
}

}  // namespace flyback
