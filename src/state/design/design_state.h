#pragma once

// Every quantity of one design. Units are those the engineer works in and the
// figures are printed in (V, A, W, mT, mm², nH, µH, µs, kHz; component values
// in the unit of the component list), never converted to SI: the printed
// figures depend on computing exactly in these units.

#include <array>
#include <string>

namespace flyback {

inline constexpr int kMaxOutputs = 6;

// One secondary output and its winding.
struct Output {
  double Umin = 0;       // V, lower end of the voltage window
  double Umax = 0;       // V, upper end of the voltage window
  double Imax = 0;       // A, maximum output current
  double Umid = 0;       // V, middle of the window (set by the optimization)
  double k_out = 1;      // voltage factor of the winding
  double n = 0;          // turns (whole numbers, or any value set by hand)
  double I_sec_rms = 0;  // A, rms current of the winding
  double A_sec = 0;      // mm², minimum wire cross-section
};

struct DesignState {
  // --- Outputs and power budget ---
  int n_sec = 0;  // number of secondary outputs, 1 to 6
  std::array<Output, kMaxOutputs> outputs{};
  double k_ic = 1;       // voltage factor of the IC-supply winding
  double P_out_max = 0;  // W, one decimal
  double eta = 0;        // efficiency as a fraction (0.85)
  double P_in_max = 0;   // W, one decimal
  double J = 0;          // A/mm², current density of the windings: 4, 6 or 8

  // --- Circuit options ---
  std::string PFC;         // "1" with power factor correction, "0" without
  int ic_type = 0;         // 1: PWX 40218-2 / PWX 40219 family, 2: QRM1X305
  bool THP = false;        // temporary high power circuit (ic_type 1 only)
  double P_perm = 0;       // W, limit of permanent output power (THP)
  double t_THP = 0;        // s, delay time of the THP circuit
  std::string opto_reg;    // "1" regulation with opto coupler, "0" without
  double U_opto = 0;       // V, nominal opto-regulated output voltage
  std::string fixed_freq;  // "1" fixed frequency, "0" free running
  double f_fix_min = 0;    // kHz
  double f_fix_max = 0;    // kHz
  double k_ripple = 0;     // lowest bus voltage / mains peak voltage
  double k_valley = 0;     // lowest mains rms voltage to lowest bus voltage
  double k_T = 0;          // period factor: 1, or 1.05 with PFC
  double k_U = 0;          // bus voltage factor: 1, or 1.1 with PFC

  // --- Transformer core ---
  std::string tr_type;  // answer of the transformer-type question, as typed
  std::string tr_name;  // name of the core or transformer
  double g = 0;         // mm, airgap (layer type only)
  double AL = 0;        // nH, inductance factor
  double Ae = 0;        // mm², effective core cross-section

  // --- Operating conditions ---
  double k_os = 0;         // overshoot factor of the drain voltage
  double U_mains_min = 0;  // V rms (DC input: DC value / sqrt 2)
  double U_mains_max = 0;  // V rms
  double U_DC_min = 0;     // V, DC input as entered
  double U_DC_max = 0;     // V
  double f_low_lim = 0;    // kHz, lowest allowed switching frequency
  double Bmaxlim = 0;      // mT, magnetization limit
  double Bmax = 0;         // mT, working magnetization

  // --- Transformer calculation ---
  double D_max = 0;        // duty cycle at minimum input voltage and full power
  double I_in_avg = 0;     // A, average input current at the lowest bus voltage
  double I_mains_max = 0;  // A, P_in_max / U_mains_min
  double I_D_max = 0;      // A, peak drain current
  double n_prim = 0;       // primary turns, real-valued
  double q_D = 0;          // ratio of off phase to on phase
  double U_ts = 0;         // V, voltage per turn in the off phase
  double U_bus_max = 0;    // V, maximum bus voltage
  double U_D_max = 0;      // V, maximum drain voltage including overshoots
  double U_D_lim = 0;      // V, limit of drain voltage
  double L_prim = 0;       // µH, primary inductance from the unrounded turns
  double t_on = 0;         // µs, maximum switch-on time
  double t_off = 0;        // µs, demagnetization time at full load
  double fsntmin = 0;      // kHz, lowest switching frequency
  double k_fix = 0;        // (fsntmin / f_fix_min)^(1/4), fixed frequency only
  double t_on_fix = 0;     // µs, switch-on time at f_fix_min
  double I_D_max_fix = 0;  // A, peak drain current at f_fix_min

  // --- Result screen and winding table ---
  double I_prim_rms = 0;  // A, primary rms current
  double P_cond = 0;      // W, conduction loss of the proposed MOSFET
  std::string wire_mode;  // answer of the cross-section / number-of-wires question
  double d_wire = 0;      // mm, diameter of the chosen wire
  double A_wire = 0;      // mm², cross-section of the chosen wire
  double A_prim = 0;      // mm², minimum wire cross-section of the primary
  double U_ic_act = 0;    // V, actual IC supply voltage

  // --- Turns ---
  double U_IC = 0;     // V, target IC supply voltage: 12 or 16
  double nic = 0;      // turns of the IC-supply winding
  double U_F_ic = 0;   // V, forward drop of the IC-supply diode
  double U_F_sec = 0;  // V, forward drop of the secondary rectifier diodes

  // --- Manual change ---
  // Last answer to "Manually Change"; survives "Start from the beginning".
  std::string last_manual_key;

  // --- Report header ---
  bool header_asked = false;
  std::string report_date;
  std::string smps_name;

  // --- Component list ---
  std::string filter_answer;  // "1" additional DC filter, "0" conventional, "" not asked
  double k_os_sec = 0;        // overshoot factor of the output diodes' reverse voltage
  std::string txt_R01;        // inrush NTC thermistor
  double R11 = 0;             // kOhm
  double I_fuse = 0;          // A
  double F01 = 0;             // A, fuse rating
  double I_filter = 0;        // A
  std::string txt_L01;        // whole L01 list line
  std::string txt_T01;        // MOSFET proposal
  std::string mosfet_name;    // short MOSFET type name, with a leading blank
  double R_DSon = 0;          // Ohm
  double C_iss = 0;           // pF, 0 where the catalogue has no figure
  std::string txt_D01_04;     // bridge rectifier
  double L08 = 0;             // mH, PFC choke
  double I_L08 = 0;           // A
  std::string txt_L08;
  std::string txt_D08;  // PFC diode
  double C07 = 0;       // µF, bulk capacitor
  double U_C07 = 0;     // V
  double R22 = 0;       // kOhm (PWX family) or MOhm (QRM1X305)
  double C22 = 0;       // pF
  double R23 = 0;       // kOhm
  double R24 = 0;       // kOhm
  double R29 = 0;       // kOhm
  double P10 = 0;       // kOhm
  double C29 = 0;       // pF
  double C30 = 0;       // nF
  double R30 = 0;       // kOhm
  double R31 = 0;       // kOhm
  double C31 = 0;       // pF
  double R35 = 0;       // Ohm
  double R38 = 0;       // kOhm
  double R39 = 0;       // kOhm, THP network
  double C38 = 0;       // pF
  double R36 = 0;       // MOhm
  double C36 = 0;       // µF
  double U1rmin = 0;    // V, opto divider: wanted adjustment range
  double U1rmax = 0;    // V
  double P60 = 0;       // kOhm, potentiometer
  double U_ref = 0;     // V, shunt regulator reference
  double R60 = 0;       // kOhm
  double R65 = 0;       // kOhm

  // --- Flags of the page flow ---
  bool optim_running = false;       // the output-voltage optimization runs
  bool manual_mode = false;         // the manual change of turns is active
  bool turns_kept = false;          // secondary and IC-supply turns are not redetermined
  bool dc_input = false;            // the mains range choice was DC input
  bool modify_transformer = false;  // re-entered through "Modify transformer"
  bool ask_drain_limit = true;      // show the drain-voltage-limit page at the next check

  // Passes through the transformer calculation since the program started; the
  // robustness checks bound the passes between two questions.
  long long calculation_passes = 0;

  // Output i, counted from 1 as the engineer counts them.
  Output& output(int i) { return outputs.at(static_cast<std::size_t>(i - 1)); }
  const Output& output(int i) const { return outputs.at(static_cast<std::size_t>(i - 1)); }
};

// The start values set at the first start and at every restart, in order.
void ApplyStartValues(DesignState& state);

}  // namespace flyback
