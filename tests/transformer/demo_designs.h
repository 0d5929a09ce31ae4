#pragma once

// The two demonstration designs as the input and operating-condition pages
// leave them when Return is pressed at every question: three outputs (80 W)
// and four outputs (200 W).

#include "design/design_state.h"

namespace flyback {

inline void SetOutput(DesignState& s, int i, double Umin, double Umax, double Imax) {
  Output& out = s.output(i);
  out.Umin = Umin;
  out.Umax = Umax;
  out.Imax = Imax;
  out.k_out = 1;
}

// Three outputs, QRM1X305 with PFC, SMT 31/190, 90 V to 270 V, 20 kHz, 340 mT.
inline DesignState ThreeOutputDemo() {
  DesignState s;
  ApplyStartValues(s);
  s.n_sec = 3;
  SetOutput(s, 1, 99, 101, 0.5);
  SetOutput(s, 2, 15.5, 16.5, 1);
  SetOutput(s, 3, 8, 9, 1);
  s.k_ic = 1;
  s.P_out_max = 76;
  s.eta = 0.85;
  s.P_in_max = 89.4;
  s.J = 6;
  s.PFC = "1";
  s.ic_type = 2;
  s.opto_reg = "0";
  s.k_ripple = 0.8;
  s.k_valley = 1.12;
  s.k_T = 1.05;
  s.k_U = 1.1;
  s.tr_type = "2";
  s.tr_name = "SMT 31/190 (Orega)";
  s.AL = 190;
  s.Ae = 125;
  s.k_os = 1.75;
  s.U_mains_min = 90;
  s.U_mains_max = 270;
  s.f_low_lim = 20;
  s.Bmaxlim = 340;
  s.Bmax = 340;
  return s;
}

// Four outputs, opto regulation at 135 V, SMT 4/192, overshoot 2.4, 310 mT.
inline DesignState FourOutputDemo() {
  DesignState s = ThreeOutputDemo();
  s.n_sec = 4;
  SetOutput(s, 1, 134, 136, 0.75);
  SetOutput(s, 2, 29, 31, 1.2);
  SetOutput(s, 3, 14, 16, 0.5);
  SetOutput(s, 4, 6.5, 7.5, 1.2);
  s.P_out_max = 156.2;
  s.P_in_max = 183.8;
  s.J = 4;
  s.opto_reg = "1";
  s.U_opto = 135;
  s.tr_name = "SMT 4/192";
  s.AL = 192;
  s.Ae = 180;
  s.k_os = 2.4;
  s.Bmaxlim = 310;
  s.Bmax = 310;
  return s;
}

// The three-output design with the PWX 40218-2 at a fixed frequency between
// f_fix_min and f_fix_max (kHz).
inline DesignState FixedFrequencyDemo(double f_fix_min, double f_fix_max) {
  DesignState s = ThreeOutputDemo();
  s.ic_type = 1;
  s.fixed_freq = "1";
  s.f_fix_min = f_fix_min;
  s.f_fix_max = f_fix_max;
  return s;
}

}  // namespace flyback
