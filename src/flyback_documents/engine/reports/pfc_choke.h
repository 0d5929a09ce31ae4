#pragma once

// The PFC choke calculator's figures: turns, peak magnetization, copper cross
// section at a fixed current density and the number of parallel wires for a
// wanted inductance on a given core.

namespace flyback {

struct PfcChoke {
  double L_pfc;        // mH, wanted inductance
  double I_pfc;        // A, maximum (peak) current
  double d_pfc;        // mm, wire diameter
  double AL_pfc;       // nH, inductance factor of the core
  double Ae_pfc;       // mm², effective core cross section
  double Bmax_pfc;     // mT, whole number
  double n_pfc;        // turns, whole number
  double J_pfc;        // A/mm², current density
  double A_min_pfc;    // mm², minimum copper cross section, two decimals
  double A_wire_pfc;   // mm², cross section of one wire, three decimals
  double n_wires_pfc;  // wires in parallel
};

PfcChoke CalculatePfcChoke(double L_pfc, double I_pfc, double d_pfc, double AL_pfc, double Ae_pfc);

}  // namespace flyback
