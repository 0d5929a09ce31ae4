#pragma once

// Checks of a calculated design against what can work and what the engineer
// asked for. The dialogue shows its results as the design rules make them;
// these findings say where a result is out of bounds, for views and exports
// beside the dialogue.

#include <string>
#include <vector>

#include "state/design/design_state.h"

namespace flyback {

enum class Severity {
  kError,    // the design cannot work (a figure of 0, negative or not finite)
  kWarning,  // the design lies outside what the engineer asked for
};

// The quantities the checks name, for views that look their findings up.
// Each output's voltage is "Uact(i)" and the IC supply's "U_ic_act".
namespace quantity {
inline constexpr const char* kBmax = "Bmax";
inline constexpr const char* kBmaxAtFixedFrequency = "Bmax(f_fix_min)";
inline constexpr const char* kDrainVoltage = "U_D_max";
inline constexpr const char* kFrequency = "fsntmin";
inline constexpr const char* kDutyCycle = "D_max";
inline constexpr const char* kPrimaryInductance = "L_prim";
inline constexpr const char* kPrimaryTurns = "n_prim";
inline constexpr const char* kConductionLoss = "P_cond";
}  // namespace quantity

struct Finding {
  Severity severity;
  std::string code;      // stable: "output-voltage-high", ...
  std::string quantity;  // the quantity checked: "Uact(1)", "U_D_max", ...
  double value;          // its value in the design
  double bound;          // the bound it breaks
  std::string message;   // one line
};

// "error" or "warning".
const char* SeverityName(Severity severity);

// The findings of a design after its calculation (with its turns and its
// proposed MOSFET); none for a design within every bound. Errors come first.
std::vector<Finding> CheckDesign(const DesignState& design);

}  // namespace flyback
