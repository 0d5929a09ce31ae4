#include "design_export.h"

#include <ostream>
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
    std::string non_finite;
    const std::string csv =
        PartsListCsv(*design.component_list,
                     PartStresses(design, ComputeLossBudget(design, core_data_)), &non_finite);
    WriteFinite(parts_list_file_, csv, "the parts list", non_finite);
  }
}

void DesignExport::WriteFinite(const std::string& path, std::string_view contents,
                               const std::string& what, const std::string& non_finite) {
  if (non_finite.empty()) {
    ReplaceFile(path, contents, what);
    last_notices_.erase(path);
    return;
  }
  const std::string notice = what + " \"" + path + "\" is not written: " + non_finite;
  // The same design is shown more than once (result screen, winding table):
  // one line says it.
  std::string& last = last_notices_[path];
  if (notice == last) return;
  last = notice;
  if (notices_ != nullptr) {
    *notices_ << "flyback: " << notice << '\n' << std::flush;
  } else {
    held_notices_.push_back(notice);
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
    const SpiceRun run =
        SpiceRunOf(design, ComputeLossBudget(design, core_data_), BusPoint::kLowest);
    WriteFinite(netlist_file_, run.netlist, "the netlist",
                run.non_finite_line.empty()
                    ? std::string()
                    : "its line \"" + run.non_finite_line + "\" holds a figure that is not finite");
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
    std::string non_finite;
    const std::string html = DesignReportHtml(input, &non_finite);
    WriteFinite(report_file_, html, "the design report", non_finite);
  }
}

}  // namespace flyback
