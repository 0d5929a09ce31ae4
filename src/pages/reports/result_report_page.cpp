// Main-menu choice "Print the result": the transformer data and the winding
// table of the present design into a report file.

#include "dialogue/pages.h"
#include "reports/report_header.h"
#include "reports/result_report.h"
#include "transformer/winding_values.h"

namespace flyback {

Page ResultReportPage(Dialogue& d) {
  ReportWriter report = OpenReportWithHeader(d, kResultReport);
  // The winding values as the result screen and the winding table would
  // show them now, whether or not they were shown since the last
  // calculation; the design itself is left as it is.
  DesignState present = d.state;
  UpdateWindingValues(present);
  present.P_cond = ConductionLoss(present);
  for (const Line& line : ResultReportBody(present)) report.Write(line);
  report.Close();
  return Page::kMainMenu;
}

}  // namespace flyback
