#pragma once

// Losses of the switch, the rectifier diodes and the RCD clamp of a flyback
// in discontinuous or boundary operation. Pure functions of plain values in
// the units of the design (V, A, µH, pF, kHz). The MOSFET's conduction loss
// is computed with the winding values.

namespace flyback {

// How the MOSFET turns on, which sets the drain voltage it discharges.
enum class TurnOn {
  // Free running (quasi-resonant): the next period starts in the first valley
  // of the drain ringing after demagnetization, at U_bus − U_refl.
  kValley,
  // Fixed frequency in discontinuous mode: the drain rings about U_bus after
  // demagnetization and the switch turns on wherever the ringing is; U_bus is
  // its mean.
  kHard,
};

// V, drain voltage at turn-on from the bus voltage U_bus_V and the
// reflected voltage U_refl_V (both V): U_bus − U_refl, not below 0, in
// valley switching; U_bus in hard switching.
double DrainVoltageAtTurnOn(TurnOn turn_on, double U_bus_V, double U_refl_V);

// W, loss of discharging the drain capacitance at turn-on: ½·C_oss·U²·f with
// C_oss_pF (pF; the energy-related C_o(er) where the data sheet gives it, as
// C_oss falls steeply with the voltage), U_turn_on_V (V) and f_kHz (kHz).
double DrainCapacitanceLoss(double C_oss_pF, double U_turn_on_V, double f_kHz);

// W, conduction loss of a diode of forward voltage U_F_V (V) carrying the
// average current I_avg_A (A): U_F·I_avg. The average current of an output
// rectifier equals the output current Imax of its output.
double DiodeConductionLoss(double U_F_V, double I_avg_A);

// W, conduction loss of the mains bridge rectifier: two diodes of forward
// voltage U_F_V (V) in series carry the average input current I_in_avg_A (A):
// 2·U_F·I_avg.
double BridgeRectifierLoss(double U_F_V, double I_in_avg_A);

// V, voltage the secondaries reflect into the primary during
// demagnetization: n_prim·U_ts, with n_prim primary turns and U_ts_V (V) the
// voltage per turn in the off phase.
double ReflectedVoltage(double n_prim, double U_ts_V);

// V, default clamp voltage: the whole margin between the drain-voltage limit
// U_D_lim_V and the highest bus voltage U_bus_max_V (both V), U_D_lim −
// U_bus_max.
double DefaultClampVoltage(double U_D_lim_V, double U_bus_max_V);

// W, loss of an RCD clamp (AN4147 form): the energy of the leakage
// inductance L_lk_uH (µH) at the peak primary current I_pk_A (A), raised by
// the energy the reflected voltage feeds in while the clamp diode conducts:
// P = ½·L_lk·I_pk²·f·U_cl/(U_cl − U_refl), f_kHz (kHz), clamp voltage
// U_cl_V and reflected voltage U_refl_V (V). Infinite when U_cl is not above
// U_refl: such a clamp never resets the leakage current.
double ClampLoss(double L_lk_uH, double I_pk_A, double f_kHz, double U_cl_V, double U_refl_V);

}  // namespace flyback
