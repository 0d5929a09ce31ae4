#pragma once

// The two demonstration designs as the input and operating-condition pages
// leave them when Return is pressed at every question: three outputs (80 W)
// and four outputs (200 W).

#include "state/design/design_state.h"

namespace flyback {

inline void SetOutput(DesignState& s, int i, double Umin, double Umax, double Imax) {
  OutputSpec& out = s.inputs.output(i);
  out.Umin = Umin;
  out.Umax = Umax;
  out.Imax = Imax;
  out.k_out = 1;
}

// Three outputs, QRM1X305 with PFC, SMT 31/190, 90 V to 270 V, 20 kHz, 340 mT.
inline DesignState ThreeOutputDemo() {
  DesignState s;
  ApplyStartValues(s);
  s.inputs.n_sec = 3;
  SetOutput(s, 1, 99, 101, 0.5);
  SetOutput(s, 2, 15.5, 16.5, 1);
  SetOutput(s, 3, 8, 9, 1);
  s.inputs.k_ic = 1;
  s.inputs.P_out_max = 76;
  s.inputs.eta = 0.85;
  s.inputs.P_in_max = 89.4;
  s.inputs.J = 6;
  s.inputs.PFC = true;
  s.inputs.ic_type = ControlIc::kQrm;
  s.inputs.opto_reg = false;
  s.inputs.k_ripple = 0.8;
  s.inputs.k_valley = 1.12;
  s.inputs.k_T = 1.05;
  s.inputs.k_U = 1.1;
  s.inputs.tr_kind = TransformerKind::kSlotTransformer;
  s.inputs.tr_type_answer = "2";
  s.inputs.tr_name = "SMT 31/190 (Orega)";
  s.inputs.AL = 190;
  s.inputs.Ae = 125;
  s.inputs.k_os = 1.75;
  s.inputs.U_mains_min = 90;
  s.inputs.U_mains_max = 270;
  s.inputs.f_low_lim = 20;
  s.inputs.Bmaxlim = 340;
  s.transformer.Bmax = 340;
  return s;
}

// Four outputs, opto regulation at 135 V, SMT 4/192, overshoot 2.4, 310 mT.
inline DesignState FourOutputDemo() {
  DesignState s = ThreeOutputDemo();
  s.inputs.n_sec = 4;
  SetOutput(s, 1, 134, 136, 0.75);
  SetOutput(s, 2, 29, 31, 1.2);
  SetOutput(s, 3, 14, 16, 0.5);
  SetOutput(s, 4, 6.5, 7.5, 1.2);
  s.inputs.P_out_max = 156.2;
  s.inputs.P_in_max = 183.8;
  s.inputs.J = 4;
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 135;
  s.inputs.tr_name = "SMT 4/192";
  s.inputs.AL = 192;
  s.inputs.Ae = 180;
  s.inputs.k_os = 2.4;
  s.inputs.Bmaxlim = 310;
  s.transformer.Bmax = 310;
  return s;
}

// The three-output design with the PWX 40218-2 at a fixed frequency between
// f_fix_min and f_fix_max (kHz).
inline DesignState FixedFrequencyDemo(double f_fix_min, double f_fix_max) {
  DesignState s = ThreeOutputDemo();
  s.inputs.ic_type = ControlIc::kPwx;
  s.inputs.fixed_freq = true;
  s.inputs.f_fix_min = f_fix_min;
  s.inputs.f_fix_max = f_fix_max;
  return s;
}

}  // namespace flyback
