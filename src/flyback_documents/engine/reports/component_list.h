#pragma once

// The component list of a design whose components `dimension_components`
// has just dimensioned: its parts as rows, and the printed lines of its two
// lists below their header blocks, each part line printed from its row.

#include <vector>

#include "base/console/line.h"
#include "state/design/component_row.h"
#include "state/design/design_state.h"

namespace flyback {

struct ComponentList {
  std::vector<ComponentRow> rows;  // every part of both lists, in their order
  // List 1: mains filtering and power components, then the control
  // components of the chosen IC.
  std::vector<Line> list1;
  // List 2: secondary side, and the opto-coupler circuit with opto regulation.
  std::vector<Line> list2;
};

ComponentList MakeComponentList(const DesignState& s);

}  // namespace flyback
