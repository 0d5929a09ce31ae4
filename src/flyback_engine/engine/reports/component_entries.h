#pragma once

// The component list as a parts list: one entry per designator, with the
// value, the part proposal or type, the rating and a remark as separate
// fields, for a spreadsheet or another program. The entries are read from
// the lines of the component list report, so the two never differ.

#include <optional>
#include <string>
#include <vector>

#include "state/design/design_state.h"

namespace flyback {

struct ComponentEntry {
  std::string designator;       // "C07", "D01-D04", "C41"
  std::optional<double> value;  // the value, where the list gives one
  std::string unit;             // of the value: "µF", "kOhm", "AT", ...
  std::string part;             // part proposal or type: "1N4148", "QMP03N60X5    600V, ..."
  std::string rating;           // "63 V", "1/4 W", "100 V, 150 mA, 8 ns"; empty where none
  std::string remark;           // "X- capacitor", "voltage proof", ...
};

// The entries of the component list of a design whose components
// `dimension_components` has dimensioned, in the order of the list.
std::vector<ComponentEntry> ComponentEntries(const DesignState& s);

}  // namespace flyback
