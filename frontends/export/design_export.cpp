#include "design_export.h"

#include <vector>

#include "bom_csv.h"
#include "engine/adviser/core_ranking.h"
#include "engine/design_report/design_report.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/spice_netlist.h"
#include "file_replacement.h"
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
  if (written_) WriteDesignFiles(*written_);
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (!design_file_.empty() || !report_file_.empty()) {
    written_ = design;
    WriteDesignFiles(design);
  }
  if (!netlist_file_.empty()) {
    ReplaceFile(netlist_file_, SpiceNetlist(design, ComputeLossBudget(design, core_data_)),
                "the netlist");
  }
}

void DesignExport::WriteDesignFiles(const DesignState& design) {
  const std::optional<CoreAdvice> advice =
      alternatives_ ? std::optional(AdviseCores(design, core_data_)) : std::nullopt;
  DesignFileExtras extras;
  extras.simulation = simulation_ != nullptr && *simulation_ ? &**simulation_ : nullptr;
  extras.alternatives = advice ? &*advice : nullptr;
  if (!design_file_.empty()) {
    ReplaceFile(design_file_, DesignJson(design, last_optimization(), core_data_, extras),
                "the design file");
  }
  if (!report_file_.empty()) {
    const LossBudget budget = ComputeLossBudget(design, core_data_);
    const SimulationComparison* simulated =
        extras.simulation != nullptr && extras.simulation->comparison
            ? &*extras.simulation->comparison
            : nullptr;
    const std::vector<Finding> findings = CheckDesignLossesAndSimulation(design, budget, simulated);
    DesignReportInput input{design, budget, findings, last_optimization(),
                            std::string("flyback ") + kVersion};
    input.simulation = simulated;
    input.alternatives = extras.alternatives;
    ReplaceFile(report_file_, DesignReportHtml(input), "the design report");
  }
}

}  // namespace flyback
