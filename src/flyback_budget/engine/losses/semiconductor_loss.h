#pragma once

// Losses of the switch and the rectifier diodes of a flyback. Pure functions of plain values in
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
  // Continuous mode: the secondary still conducts, the drain stands at
  // U_bus + U_refl.
  kConducting,
};

// V, drain voltage at turn-on from the bus voltage U_bus_V and the
// reflected voltage U_refl_V (both V): U_bus − U_refl, not below 0, in
// valley switching; U_bus in hard switching; U_bus + U_refl while the
// secondary conducts.
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

// Factor of a MOSFET's on-resistance at a junction of 100 °C to the data
// sheet's 25 °C figure, as the result screen counts it.
inline constexpr double kHotOnResistanceFactor = 2;

// W, conduction loss of the MOSFET of on-resistance R_DSon_ohm (Ω, 25 °C)
// carrying a current that rises from I_start_A to I_pk_A (A) in t_on_us of
// the period period_us (µs): kHotOnResistanceFactor·R_DSon·I_rms² with
// I_rms² = (I_pk² + I_pk·I_start + I_start²)·t_on/(3·T).
double MosfetConductionLoss(double R_DSon_ohm, double I_pk_A, double I_start_A, double t_on_us,
                            double period_us);

// W, turn-off loss of a MOSFET whose current I_pk_A (A) falls linearly in
// t_fall_ns (ns) while the drain capacitance C_drain_pF (pF) takes it
// (Mohan, Undeland, Robbins, Power Electronics, the turn-off snubber):
// I²·t_f²/(24·C) per period while the capacitor stays below U_off_V (V),
// at most the unsnubbed ½·U_off·I·t_f; f_kHz (kHz).
double TurnOffLoss(double U_off_V, double I_pk_A, double t_fall_ns, double C_drain_pF,
                   double f_kHz);

}  // namespace flyback
