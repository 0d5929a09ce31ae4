#pragma once

// Checks of a calculated design against what can work and what the engineer
// asked for. The dialogue shows its results as the design rules make them;
// these findings say where a result is out of bounds, for views and exports
// beside the dialogue.

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

}  // namespace flyback
