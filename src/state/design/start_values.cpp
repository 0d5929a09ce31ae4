#include "design/design_state.h"

namespace flyback {

void ApplyStartValues(DesignState& state) {
  state.header_asked = false;
  state.optim_running = false;
  state.manual_mode = false;
  state.turns_kept = false;
  state.dc_input = false;
  state.modify_transformer = false;
  state.ask_drain_limit = true;
  state.k_os_sec = 1.5;
  state.wire_mode = "0";
  state.U_F_ic = 0.7;
  state.fixed_freq = "0";
  state.f_fix_min = 20;
  state.f_fix_max = 21;
  state.U_opto = 100;
  state.THP = false;
  state.U_F_sec = 1;
}

}  // namespace flyback
