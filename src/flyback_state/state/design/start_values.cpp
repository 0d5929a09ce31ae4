#include "state/design/design_state.h"

namespace flyback {

namespace {

constexpr double kDiodeOvershoot =
    1.5;                              // reverse voltage of the output diodes over the reflected bus
constexpr double kIcDiodeDrop = 0.7;  // V, forward drop of the IC-supply diode
constexpr double kOutputDiodeDrop = 1;  // V, forward drop of a secondary rectifier
// The fixed frequencies (kHz) and the opto-regulated voltage (V) that a design
// keeps when its options do not ask for them.
constexpr double kUnaskedFixedMinimum = 20;
constexpr double kUnaskedFixedMaximum = 21;
constexpr double kUnaskedOptoVoltage = 100;

}  // namespace

void ApplyStartValues(DesignState& state) {
  DesignInputs& in = state.inputs;
  DialogueFlow& flow = state.flow;
  state.report.header_asked = false;
  flow.manual_mode = false;
  flow.turns_kept = false;
  in.dc_input = false;
  flow.modify_transformer = false;
  flow.ask_drain_limit = true;
  in.k_os_sec = kDiodeOvershoot;
  in.wire_answered = false;
  in.wire_counts = false;
  in.U_F_ic = kIcDiodeDrop;
  in.fixed_freq = false;
  in.f_fix_min = kUnaskedFixedMinimum;
  in.f_fix_max = kUnaskedFixedMaximum;
  in.U_opto = kUnaskedOptoVoltage;
  in.THP = false;
  in.U_F_sec = kOutputDiodeDrop;
}

}  // namespace flyback
