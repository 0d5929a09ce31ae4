#include "design_export.h"

#include "atomic_file.h"
#include "bom_csv.h"
#include "engine/checks/loss_checks.h"
#include "engine/design_report/design_report.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/spice_netlist.h"
#include "flyback_version.h"

namespace flyback {

void DesignExport::DesignShown(const DesignState& design) {
  WriteDesign(design);
}

void DesignExport::ComponentsDimensioned(const DesignState& design) {
  WriteDesign(design);
  if (!parts_list_file_.empty() && design.component_list) {
    ReplaceFile(parts_list_file_, PartsListCsv(*design.component_list), "the parts list");
  }
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (!design_file_.empty()) {
    ReplaceFile(design_file_, DesignJson(design, last_optimization(), core_data_),
                "the design file");
  }
  if (!netlist_file_.empty()) {
    ReplaceFile(netlist_file_, SpiceNetlist(design, ComputeLossBudget(design, core_data_)),
                "the netlist");
  }
  if (!report_file_.empty()) {
    const LossBudget budget = ComputeLossBudget(design, core_data_);
    const std::vector<Finding> findings = CheckDesignAndLosses(design, budget);
    ReplaceFile(report_file_,
                DesignReportHtml({design, budget, findings, last_optimization(),
                                  std::string("flyback ") + kVersion}),
                "the design report");
  }
}

}  // namespace flyback
