#pragma once

// The figures of the transformer result, rounded as the result screen and the
// result report show them: one home for the rounding of every shown figure.

#include <string>

#include "state/design/design_state.h"

namespace flyback {

struct ResultFigures {
  // As entered.
  bool dc_input = false;
  double input_min_V = 0;  // the range as entered: mains V rms, or the DC values
  double input_max_V = 0;
  double P_in_max_W = 0;
  double P_out_max_W = 0;
  bool thp = false;
  double P_perm_W = 0;
  bool fixed_frequency = false;
  double f_fix_min_kHz = 0;
  double f_fix_max_kHz = 0;
  std::string mosfet_name;  // the proposed MOSFET, with a leading blank

  // From the calculation, rounded as shown.
  double primary_turns = 0;          // whole turns
  double primary_inductance_uH = 0;  // of the whole turns, whole µH
  double Bmax_mT = 0;                // 0.1 mT
  double fsntmin_kHz = 0;            // 0.1 kHz
  double fsntmin_whole_kHz = 0;      // whole kHz, as the drain-current line names it
  double period_us = 0;              // longest period 1000 / fsntmin, 0.1 µs
  double Bmax_at_f_fix_min_mT = 0;   // whole mT (fixed frequency)
  double conduction_loss_W = 0;      // 0.1 W; at f_fix_min with a fixed frequency
  double induced_voltage_V = 0;      // whole V
  double U_D_max_V = 0;              // whole V
  double I_D_max_A = 0;              // 0.01 A; at f_fix_min with a fixed frequency
  double U_ts_V = 0;                 // 0.01 V
  double t_on_us = 0;                // 0.1 µs
};

// The figures of the present design with its proposed MOSFET (the
// conduction loss needs its on-resistance).
ResultFigures ShownResultFigures(const DesignState& s);

}  // namespace flyback
