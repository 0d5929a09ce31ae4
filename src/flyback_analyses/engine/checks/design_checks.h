#pragma once

// Checks of a calculated design against what can work and what the engineer
// asked for. The dialogue shows its results as the design rules make them;
// these findings say where a result is out of bounds, for views and exports
// beside the dialogue.

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/checks/checked_quantity.h"
#include "state/design/design_state.h"

namespace flyback {

enum class Severity {
  kError,    // the design cannot work (a figure of 0, negative or not finite)
  kWarning,  // the design lies outside what the engineer asked for
};

struct Finding {
  Severity severity;
  std::string code;          // stable: "output-voltage-high", ...
  CheckedQuantity quantity;  // the quantity checked: {Quantity::kOutputVoltage, 1}, ...
  double value;              // its value in the design
  double bound;              // the bound it breaks
  std::string message;       // one line
};

// "error" or "warning".
const char* SeverityName(Severity severity);

// The findings of a design after its calculation (with its turns and its
// proposed MOSFET); none for a design within every bound. Errors come first.
std::vector<Finding> CheckDesign(const DesignState& design);

// The verdict of the checks on a figure. Only the checks give verdicts: every
// view of a figure shows the verdict of the findings on its quantities.
enum class Verdict {
  kFine,     // no finding on it
  kWarning,  // the worst finding on it is a warning
  kError,    // a finding on it is an error
};

// The verdict a finding of `severity` gives.
Verdict VerdictOf(Severity severity);

// The worst verdict of the `findings` on any of `quantities`.
Verdict VerdictOn(const std::vector<Finding>& findings,
                  std::initializer_list<CheckedQuantity> quantities);

}  // namespace flyback
