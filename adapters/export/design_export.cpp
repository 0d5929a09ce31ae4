#include "design_export.h"

#include <ostream>
#include <vector>

#include "bom_csv.h"
#include "efficiency_map_csv.h"
#include "engine/design_report/design_report.h"
#include "engine/evaluation/report_input.h"
#include "engine/simulation/spice_netlist.h"
#include "file_replacement.h"
#include "flyback_version.h"

namespace flyback {

void DesignExport::DesignShown(const DesignState& /*design*/) {
  WriteDesign();
}

void DesignExport::ComponentsDimensioned(const DesignState& /*design*/) {
  WriteDesign();
  const DesignEvaluation& evaluation = *evaluator_.evaluation();
  if (!parts_list_file_.empty() && evaluation.design.component_list) {
    std::string non_finite;
    const std::string csv =
        PartsListCsv(*evaluation.design.component_list, evaluation.part_stresses, &non_finite);
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

void DesignExport::WriteDesign() {
  const std::shared_ptr<const DesignEvaluation>& evaluation = evaluator_.evaluation();
  if (!design_file_.empty() || !report_file_.empty()) {
    written_ = evaluation;
    WriteDesignFiles(*evaluation);
  }
  if (!efficiency_map_file_.empty()) {
    ReplaceFile(efficiency_map_file_, EfficiencyMapCsv(evaluation->efficiency_map),
                "the efficiency map");
  }
  if (!netlist_file_.empty()) {
    const SpiceRun run =
        SpiceRunOf(evaluation->design, evaluation->budget, evaluation->loop, BusPoint::kLowest);
    WriteFinite(netlist_file_, run.netlist, "the netlist",
                run.non_finite_line.empty()
                    ? std::string()
                    : "its line \"" + run.non_finite_line + "\" holds a figure that is not finite");
  }
}

void DesignExport::WriteDesignFiles(const DesignEvaluation& evaluation) {
  const SimulationOutcome* simulation =
      simulation_ != nullptr && *simulation_ ? &**simulation_ : nullptr;
  if (!design_file_.empty()) {
    ReplaceFile(design_file_, DesignJson(evaluation, last_optimization(), simulation),
                "the design file");
  }
  if (!report_file_.empty()) {
    const SimulationComparison* simulated =
        simulation != nullptr && simulation->comparison ? &*simulation->comparison : nullptr;
    const LoopSimulation* loop =
        simulation != nullptr && simulation->loop ? &*simulation->loop : nullptr;
    const std::vector<Finding> findings = FindingsWithSimulation(evaluation, simulated, loop);
    DesignReportInput input = ReportInputOf(evaluation, findings, last_optimization(),
                                            std::string("flyback ") + kVersion);
    input.simulation = simulated;
    input.loop_simulation = loop;
    std::string non_finite;
    const std::string html = DesignReportHtml(input, &non_finite);
    WriteFinite(report_file_, html, "the design report", non_finite);
  }
}

}  // namespace flyback
