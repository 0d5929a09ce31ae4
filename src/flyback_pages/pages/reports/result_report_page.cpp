// Main-menu choice "Print the result": the transformer data and the winding
// table of the present design into a report file.

#include "engine/reports/result_report.h"
#include "pages/dialogue/pages.h"
#include "pages/reports/report_header.h"

namespace flyback {

Page ResultReportPage(Dialogue& d) {
  ReportWriter report =
      OpenReportWithHeader(d, d.parts().report_header(ReportPagesKey{}), kResultReport);
  // The winding values as the result screen and the winding table would
  // show them now, whether or not they were shown since the last calculation.
  for (const Line& line : ResultReportBody(d.design())) report.Write(line);
  report.Close();
  return Page::kMainMenu;
}

}  // namespace flyback
