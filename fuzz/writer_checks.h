#pragma once

// Watches a dialogue driven by a fuzz input and runs every writer on each
// design it shows: the design file (with the core adviser's ranking), both
// netlists, the design report, the adviser's table for standard error and,
// once the component list is made, the parts list. Each output is checked;
// a fault aborts with one line "finding: ..." (a libFuzzer finding).

#include <memory>
#include <string>
#include <string_view>

#include "engine/evaluation/design_evaluation.h"
#include "pages/dialogue/optimization_recorder.h"

namespace flyback {

class WriterChecks : public OptimizationRecorder {
 public:
  // `input`: the fuzz input, whose answers a file may echo.
  explicit WriterChecks(std::string_view input);

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;

 private:
  // Checks every writer on `design` where its design file has changed; its
  // evaluation either way.
  std::shared_ptr<const DesignEvaluation> CheckDesign(const DesignState& design);
  void CheckDesignFileAndTable(const DesignEvaluation& evaluation) const;
  void CheckNetlists(const DesignEvaluation& evaluation) const;
  void CheckReport(const DesignEvaluation& evaluation) const;
  // Aborts where `text`, a file that was found fit to write, says "overflow"
  // (the number text's word for a figure that is not finite) and no answer did.
  void CheckNoOverflow(const std::string& text, const char* what) const;

  bool answers_say_overflow_;
  std::string last_checked_;  // the design file, without extras, of the design checked last
};

}  // namespace flyback
