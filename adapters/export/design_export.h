#pragma once

// Keeps the design file (--export FILE.json), the parts list (--bom
// FILE.csv), the ngspice netlist (--netlist FILE.cir), the design report
// (--design-report FILE.html) and the efficiency map (--efficiency-map
// FILE.csv) up to date as the dialogue goes: the design file, the netlist,
// the report and the map are written whenever the design is shown
// after a calculation or its components are dimensioned, the parts list
// whenever the component list is made. Each is replaced in one step. A file
// that cannot be written ends the session (SessionFailure). A file that would
// hold a figure that is not finite is not written: one line names the file
// and the figure, and the dialogue goes on.

#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design_evaluator.h"
#include "design_json.h"
#include "pages/dialogue/optimization_recorder.h"

namespace flyback {

class DesignExport : public OptimizationRecorder {
 public:
  // Empty names: that file is not written.
  // `evaluator`: whose evaluation of the design shown the files render (with
  // the core adviser's ranking where it was asked for, --advise);
  // `simulation`: where the simulation of the design shown last is kept
  // (--simulate), or null. Both must outlive the exporter; a simulation
  // observer must see the design before the exporter does.
  DesignExport(std::string design_file, std::string parts_list_file, std::string netlist_file,
               std::string report_file, std::string efficiency_map_file,
               const DesignEvaluator& evaluator,
               const std::optional<SimulationOutcome>* simulation = nullptr)
      : design_file_(std::move(design_file)),
        parts_list_file_(std::move(parts_list_file)),
        netlist_file_(std::move(netlist_file)),
        report_file_(std::move(report_file)),
        efficiency_map_file_(std::move(efficiency_map_file)),
        evaluator_(evaluator),
        simulation_(simulation) {}

  // Where the lines on files not written go ("flyback: the netlist "d.cir"
  // is not written: ..."); standard error unless set. Null keeps them, for a
  // front-end that has no room for them while the dialogue runs.
  void NoticesTo(std::ostream* notices) { notices_ = notices; }
  // The lines kept without a place for them, without "flyback: ".
  const std::vector<std::string>& held_notices() const { return held_notices_; }

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;
  // Writes the design file and the design report again for the design
  // written last, for a simulation of it that has ended since.
  void Refresh();

 private:
  void WriteDesign();
  // The design file and the design report, with the extras asked for.
  void WriteDesignFiles(const DesignEvaluation& evaluation);
  // Replaces `path` with `contents`, unless `non_finite` names a figure of
  // it that is not finite: then the file stays as it was and a notice says so.
  void WriteFinite(const std::string& path, std::string_view contents, const std::string& what,
                   const std::string& non_finite);

  std::string design_file_;
  std::string parts_list_file_;
  std::string netlist_file_;
  std::string report_file_;
  std::string efficiency_map_file_;
  const DesignEvaluator& evaluator_;
  const std::optional<SimulationOutcome>* simulation_;
  std::shared_ptr<const DesignEvaluation> written_;  // the design written last
  std::ostream* notices_ = &std::cerr;
  std::vector<std::string> held_notices_;
  // By file: the notice given last, not given again while the file stays unwritten.
  std::map<std::string, std::string> last_notices_;
};

}  // namespace flyback
