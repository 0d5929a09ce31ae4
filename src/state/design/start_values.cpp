#include "design/design_state.h"

namespace flyback {

void ApplyStartValues(DesignState& state) {
  DesignInputs& in = state.inputs;
  DialogueFlow& flow = state.flow;
  state.report.header_asked = false;
  flow.manual_mode = false;
  flow.turns_kept = false;
  in.dc_input = false;
  flow.modify_transformer = false;
  flow.ask_drain_limit = true;
  in.k_os_sec = 1.5;
  in.wire_mode = "0";
  in.U_F_ic = 0.7;
  in.fixed_freq = false;
  in.f_fix_min = 20;
  in.f_fix_max = 21;
  in.U_opto = 100;
  in.THP = false;
  in.U_F_sec = 1;
}

}  // namespace flyback
