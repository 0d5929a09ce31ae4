#include "writer_checks.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "advice_table.h"
#include "bom_csv.h"
#include "design_json.h"
#include "engine/design_report/design_report.h"
#include "engine/simulation/spice_netlist.h"
#include "json_schema_check.h"
#include "output_checks.h"

namespace flyback {

namespace {

[[noreturn]] void Abort(const std::string& what) {
  std::fprintf(stderr, "finding: %s\n", what.c_str());
  std::abort();
}

void Expect(const std::string& error, const std::string& what) {
  if (!error.empty()) Abort(what + ": " + error);
}

// The design file's schema, read once; one that uses more of JSON Schema
// than the checker knows is a finding of its own.
const nlohmann::json& Schema() {
  static const nlohmann::json schema = [] {
    std::ifstream file(FLYBACK_DESIGN_SCHEMA);
    nlohmann::json read = nlohmann::json::parse(file, nullptr, false);
    if (read.is_discarded()) Abort("cannot read the schema " FLYBACK_DESIGN_SCHEMA);
    for (const std::string& unknown : UnknownSchemaKeywords(read)) {
      Abort("the schema uses " + unknown + ", which the checker does not know");
    }
    return read;
  }();
  return schema;
}

}  // namespace

WriterChecks::WriterChecks(std::string_view input)
    : answers_say_overflow_(Lowercase(input).find("overflow") != std::string::npos) {
  Schema();
}

void WriterChecks::DesignShown(const DesignState& design) {
  CheckDesign(design);
}

std::shared_ptr<const DesignEvaluation> WriterChecks::CheckDesign(const DesignState& design) {
  // The dialogue shows a design several times (result screen, winding
  // table, component list); its design file without the extras tells
  // whether anything changed since the last check.
  std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design, {});
  std::string seen = DesignJson(*evaluation, last_optimization());
  if (seen == last_checked_) return evaluation;
  last_checked_ = std::move(seen);
  CheckDesignFileAndTable(*evaluation);
  CheckNetlists(*evaluation);
  CheckReport(*evaluation);
  return evaluation;
}

void WriterChecks::ComponentsDimensioned(const DesignState& design) {
  const std::shared_ptr<const DesignEvaluation> evaluation = CheckDesign(design);
  if (!design.component_list) return;
  std::string non_finite;
  const std::string csv =
      PartsListCsv(*design.component_list, evaluation->part_stresses, &non_finite);
  if (!non_finite.empty()) return;
  Expect(CsvError(csv, 13), "the parts list");
  CheckNoOverflow(csv, "the parts list");
}

void WriterChecks::CheckDesignFileAndTable(const DesignEvaluation& evaluation) const {
  DesignEvaluation with_alternatives = evaluation;
  const CoreAdvice& advice =
      with_alternatives.alternatives.emplace(AdviseCores(evaluation.design, nullptr));
  const std::string text = DesignJson(with_alternatives, last_optimization());
  const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
  if (document.is_discarded()) Abort("the design file is no JSON");
  const std::vector<std::string> errors = SchemaErrors(document, Schema());
  if (!errors.empty()) {
    Abort("the design file breaks its schema at " + errors.front() + " (" +
          std::to_string(errors.size()) + " in all)");
  }
  Expect(TableError(AdviceTableText(advice)), "the adviser's table");
}

void WriterChecks::CheckNetlists(const DesignEvaluation& evaluation) const {
  const DesignState& design = evaluation.design;
  for (const BusPoint point : {BusPoint::kLowest, BusPoint::kHighest}) {
    const SpiceRun run = SpiceRunOf(design, evaluation.budget, evaluation.loop, point);
    const std::string error =
        NetlistNumberError(run.netlist, {design.inputs.tr_name, design.components.mosfet});
    if (run.non_finite_line.empty()) {
      Expect(error, "a netlist fit to write");
    } else if (error.empty() || NetlistNumberError(run.non_finite_line, {}).empty()) {
      Abort("the netlist names \"" + run.non_finite_line + "\", which holds no such figure");
    }
  }
}

void WriterChecks::CheckReport(const DesignEvaluation& evaluation) const {
  const DesignReportInput input{evaluation.design, evaluation.budget, evaluation.findings,
                                last_optimization(), "flyback fuzz"};
  std::string non_finite;
  const std::string html = DesignReportHtml(input, &non_finite);
  if (!non_finite.empty()) return;
  Expect(HtmlError(html), "the design report");
  CheckNoOverflow(html, "the design report");
}

void WriterChecks::CheckNoOverflow(const std::string& text, const char* what) const {
  if (!answers_say_overflow_ && text.find("overflow") != std::string::npos) {
    Abort(std::string(what) + " shows \"overflow\" for a figure");
  }
}

}  // namespace flyback
