#pragma once

// A table on standard error in script mode, written whenever the dialogue
// shows a calculated design (the adviser's ranking with --advise, the loop's
// corners with --loop, the efficiency map with its file or the rules); the
// transcript on standard output stays as it is.

#include <ostream>
#include <string>

#include "design_evaluator.h"

namespace flyback {

class SideTable : public DesignObserver {
 public:
  // The table of an evaluation; empty where the evaluation has none.
  using TextOf = std::string (*)(const DesignEvaluation& evaluation);

  // `evaluator`: whose evaluation is shown; it outlives the table.
  SideTable(std::ostream& out, const DesignEvaluator& evaluator, TextOf text_of)
      : out_(out), evaluator_(evaluator), text_of_(text_of) {}

  void DesignShown(const DesignState& /*design*/) override {
    const std::string text = text_of_(*evaluator_.evaluation());
    if (!text.empty()) out_ << text << std::flush;
  }

 private:
  std::ostream& out_;
  const DesignEvaluator& evaluator_;
  TextOf text_of_;
};

}  // namespace flyback
