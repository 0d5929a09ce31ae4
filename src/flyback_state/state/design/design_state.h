#pragma once

// Every quantity of one design, in parts with one owner each. The dialogue
// driver owns the one record for the life of the program.

#include <optional>
#include <string>
#include <vector>

#include "state/design/component_row.h"
#include "state/design/component_values.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// Date and name of the power supply in the head of every report: asked by
// the first report of a design run, then kept.
struct ReportHeaderAnswers {
  bool header_asked = false;
  std::string report_date;
  std::string smps_name;
};

// Decisions that carry from one page of the dialogue to a later one.
struct DialogueFlow {
  bool manual_mode = false;         // the manual change of turns is active
  bool turns_kept = false;          // secondary and IC-supply turns are not redetermined
  bool modify_transformer = false;  // re-entered through "Modify transformer"
  bool ask_drain_limit = true;      // show the drain-voltage-limit page at the next check
  // Last answer to "Manually Change"; survives "Start from the beginning".
  std::string last_manual_key;
};

struct DesignState {
  DesignInputs inputs;
  TransformerDesign transformer;
  ComponentValues components;
  // The component list as last made, for the design as it stands: none
  // until the list is made, none again after every calculation run, so that
  // no reader takes the parts of an older design for the present ones.
  std::optional<std::vector<ComponentRow>> component_list;
  ReportHeaderAnswers report;
  DialogueFlow flow;
};

// The start values set at the first start and at every restart, in order.
void ApplyStartValues(DesignState& state);

}  // namespace flyback
