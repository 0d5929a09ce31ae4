#pragma once

// Catalogue rules that turn a computed current or voltage into a part
// proposal. Every rule is a pure function; where no catalogue row fits it
// returns a proposal saying so instead of failing. The proposals live in
// static storage.

#include "engine/components/mosfet_catalogue.h"
#include "state/design/design_inputs.h"

namespace flyback {

// Electrolytic capacitor for a voltage U (V) and a current I (A).
struct CapacitorChoice {
  double U_rating;  // V
  double C;         // µF
};
CapacitorChoice select_capacitor(double U, double I);

// The capacitor the component list proposes for an output (C41, C42, ...):
// rated for 1.25 times its highest voltage, sized for its highest current.
CapacitorChoice ListedOutputCapacitor(const OutputSpec& out);

// Output rectifier for the reverse voltage U_rev (V) and the output current
// Imax (A); the diode is chosen for 1.75 times the output current.
inline constexpr double kOutputDiodeCurrentFactor = 1.75;
const Proposal& select_output_diode(double U_rev, double Imax);

// Fast diode D05 of the DC filter, by the average input current (A).
const Proposal& select_D05(double I_in_avg);

// Diode D08 of the PFC charge pump, by the peak drain current (A).
const Proposal& select_pfc_diode(double I_D_max);

// Diode D09 of the PFC circuit, by the peak drain current (A).
const Proposal& select_D09(double I_D_max);

// Bridge rectifier: fast diodes with PFC unless the DC filter decouples the
// bridge, slow diodes without PFC or with the DC filter.
const Proposal& select_bridge(bool PFC, MainsFilter filter, double I_in_avg);

// Inrush thermistor, by the mains current (A).
const Proposal& select_ntc(double I_ntc);

// Mains filter choke L01, by the filter current (A).
const Proposal& select_filter_choke(double I_filter);

// Switching MOSFET for the drain-voltage limit (V) and the peak drain current
// at the minimum fixed frequency (A).
const MosfetRow& select_mosfet(double U_D_lim, double I_D_max_fix);

// PFC choke for the primary inductance (µH) and the mains current (A).
struct PfcChokeChoice {
  double L08;    // mH
  double I_L08;  // A
  Proposal proposal;
};
PfcChokeChoice select_pfc_choke(double L_prim, double I_mains_max);

}  // namespace flyback
