#pragma once

// The two lists of the component list, written part by part.

#include "engine/reports/component_list_writer.h"
#include "state/design/design_state.h"

namespace flyback {

void WriteComponentList1(const DesignState& s, ComponentListWriter& list);
void WriteComponentList2(const DesignState& s, ComponentListWriter& list);

}  // namespace flyback
