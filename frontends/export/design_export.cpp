#include "design_export.h"

#include "atomic_file.h"
#include "bom_csv.h"
#include "engine/adviser/core_ranking.h"
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

void DesignExport::Refresh() {
  if (written_) WriteDesignFile(*written_);
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (!design_file_.empty()) {
    written_ = design;
    WriteDesignFile(design);
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

void DesignExport::WriteDesignFile(const DesignState& design) {
  const std::optional<CoreAdvice> advice =
      alternatives_ ? std::optional(AdviseCores(design, core_data_)) : std::nullopt;
  DesignFileExtras extras;
  extras.simulation = simulation_ != nullptr && *simulation_ ? &**simulation_ : nullptr;
  extras.alternatives = advice ? &*advice : nullptr;
  ReplaceFile(design_file_, DesignJson(design, last_optimization(), core_data_, extras),
              "the design file");
}

}  // namespace flyback
