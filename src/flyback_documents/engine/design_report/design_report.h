#pragma once

// The design report: one self-contained HTML5 file (inline CSS and SVG, no
// scripts, nothing fetched) that prints on A4 and shows the design with every
// figure traced to its formula, the winding sheet, the losses, the parts list,
// the optimization, the efficiency over line and load, the feedback loop, the
// simulation and the core adviser's ranking. A pure function of plain data.
//
// The report is a sequence of sections, each written by one function of the
// report input that gives no section where it has nothing to show (no parts
// list before the component list is made, no sweep before an optimization).
// A new section is one more function in DesignReportSections().

#include <optional>
#include <string>
#include <vector>

#include "engine/adviser/core_ranking.h"
#include "engine/checks/design_checks.h"
#include "engine/design_report/html_text.h"
#include "engine/efficiency/rule_verdicts.h"
#include "engine/loop/loop_design.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/simulation_comparison.h"
#include "engine/transformer/optimization_record.h"
#include "state/design/design_state.h"

namespace flyback {

struct DesignReportInput {
  const DesignState& design;             // calculated, with its turns and components dimensioned
  const LossBudget& budget;              // of `design`
  const std::vector<Finding>& findings;  // of the checks and the loss checks
  const std::optional<OptimizationRecord>& optimization;  // the last one, if one ran
  std::string program;  // "flyback 1.4.0", named at the foot of the report
  const SimulationComparison* simulation = nullptr;  // where the stage was simulated
  const CoreAdvice* alternatives = nullptr;          // where the core adviser ran
  // The efficiency over line and load and its rules, of the design's
  // evaluation; no section without them.
  const EfficiencyMap* efficiency_map = nullptr;
  const RulesCheck* efficiency_rules = nullptr;
  const LoopDesign* loop = nullptr;  // where the design is regulated through the opto-coupler
  // The loop's corners run in ngspice, where they ran (with the stage's
  // simulation).
  const LoopSimulation* loop_simulation = nullptr;
};

struct ReportSection {
  std::string id;     // the HTML id: "winding-sheet"
  std::string title;  // "Winding sheet"
  bool new_page;      // printed from the top of a page
  Html body;
};

using SectionWriter = std::optional<ReportSection> (*)(const DesignReportInput&);

// The writers of the sections in report order.
const std::vector<SectionWriter>& DesignReportSections();

// The whole report, UTF-8. Where a figure of it is not finite, `non_finite`
// (if given) names where it stands ("a figure of its section \"Loss budget
// and temperature rise\" is not finite"): such a report is not to be
// written. It stays empty otherwise.
std::string DesignReportHtml(const DesignReportInput& input, std::string* non_finite = nullptr);

}  // namespace flyback
