#include "pages/reports/report_writer.h"

namespace flyback {

void ReportWriter::Write(const Line& line) {
  d_.WriteReportLine(line);
}

void ReportWriter::WriteEmptyLines(int count) {
  for (int i = 0; i < count; ++i) Write();
}

void ReportWriter::Close() {
  d_.CloseReport();
}

}  // namespace flyback
