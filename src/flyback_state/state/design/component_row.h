#pragma once

// One designator of the component list as a parts list holds it: plain
// fields without the layout of the printed list.

#include <optional>
#include <string>

namespace flyback {

struct ComponentRow {
  std::string designator = {};       // "C07", "D01-D04", "C41"
  int quantity = 1;                  // parts under the designator: 4 for the bridge D01-D04
  std::optional<double> value = {};  // in `unit`, where the list gives a value
  std::string unit = {};             // of the value: "µF", "kOhm", "AT", ...
  std::string part = {};             // type or proposal: "BYW76", "QMP03N60X5"; "" where none
  std::string rating = {};           // "600 V, 1 A, 50 ns", "1/4 W"; "" where none
  std::string remark = {};           // "X- capacitor", "voltage proof", ...
};

}  // namespace flyback
