#pragma once

// What the engineer has entered for a design, and the factors the entries
// set. Written by the pages that ask the entries (the input pages; the
// drain-voltage limit, the wire answers and the mains filter by the pages that
// need them); every calculation reads it as const.
// Units are those the engineer works in (V, A, W, mT, mm², nH, kHz), never
// converted to SI: the printed figures depend on computing exactly in them.

#include <array>
#include <cstddef>
#include <string>

namespace flyback {

inline constexpr int kMaxOutputs = 6;

// The voltage window and current of one secondary output.
struct OutputSpec {
  double Umin = 0;   // V, lower end of the voltage window
  double Umax = 0;   // V, upper end of the voltage window
  double Imax = 0;   // A, maximum output current
  double k_out = 1;  // voltage factor of the winding
};

enum class ControlIc {
  kPwx,  // PWX 40218-2 / PWX 40219 family: free running or fixed frequency
  kQrm,  // QRM1X305: free running with standby burst mode
};

// The transformer the type question chose.
enum class TransformerKind {
  kLayerCore,        // layer-type winding on a catalogue core with a chosen airgap
  kSlotTransformer,  // ready-made slot-type transformer of the catalogue
  kUserTransformer,  // any other transformer, described by name, AL and Ae
};

// Mains filter of the component list, chosen there for designs with PFC.
enum class MainsFilter {
  kNotAsked,      // no PFC, or no component list yet
  kConventional,  // X capacitors before the bridge rectifier
  kDcFilter,      // an additional capacitor and fast diode after the bridge
};

struct DesignInputs {
  // --- Outputs and power budget ---
  int n_sec = 0;  // number of secondary outputs, 1 to 6
  std::array<OutputSpec, kMaxOutputs> outputs{};
  double k_ic = 1;       // voltage factor of the IC-supply winding
  double P_out_max = 0;  // W, one decimal
  double eta = 0;        // efficiency as a fraction (0.85)
  double P_in_max = 0;   // W, one decimal
  double J = 0;          // A/mm², current density of the windings: 4, 6 or 8

  // --- Circuit options ---
  bool PFC = false;  // power factor correction (charge pump)
  ControlIc ic_type = ControlIc::kQrm;
  bool THP = false;         // temporary high power circuit (PWX family only)
  double P_perm = 0;        // W, limit of permanent output power (THP)
  double t_THP = 0;         // s, delay time of the THP circuit
  bool opto_reg = false;    // output regulated through an opto coupler
  double U_opto = 0;        // V, nominal opto-regulated output voltage
  bool fixed_freq = false;  // fixed frequency (PWX family only), else free running
  double f_fix_min = 0;     // kHz
  double f_fix_max = 0;     // kHz
  double k_ripple = 0;      // lowest bus voltage / mains peak voltage
  double k_valley = 0;      // lowest mains rms voltage to lowest bus voltage
  double k_T = 0;           // period factor: 1, or 1.05 with PFC
  double k_U = 0;           // bus voltage factor: 1, or 1.1 with PFC

  // --- Transformer core ---
  TransformerKind tr_kind = TransformerKind::kLayerCore;
  // The layer core's airgap g is part of the design's core line (and its
  // files); only the exact type answer "1" sets this, whatever page it chose,
  // so another answer that led to the layer cores shows the core without g.
  bool airgap_shown = false;
  // The type answer as typed; the design file keeps it, nothing computes
  // with it.
  std::string tr_type_answer;
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
  bool dc_input = false;   // the last mains-range choice was DC input
  double f_low_lim = 0;    // kHz, lowest allowed switching frequency
  double Bmaxlim = 0;      // mT, magnetization limit
  double U_D_lim = 0;      // V, limit of the drain voltage including overshoots

  // --- Diodes ---
  double U_F_ic = 0;    // V, forward drop of the IC-supply diode
  double U_F_sec = 0;   // V, forward drop of the secondary rectifier diodes
  double k_os_sec = 0;  // overshoot factor of the output diodes' reverse voltage

  // --- Wires of the winding table ---
  // The cross-section / number-of-wires question: an answer that reads as the
  // number 0 counts as not given, so the question comes again; the exact
  // answer "1" shows numbers of parallel wires of diameter d_wire instead of
  // cross-sections.
  bool wire_answered = false;
  bool wire_counts = false;
  double d_wire = 0;  // mm, diameter of the chosen wire
  double A_wire = 0;  // mm², cross-section of the chosen wire

  // --- Component list ---
  MainsFilter filter = MainsFilter::kNotAsked;

  // Output i, counted from 1 as the engineer counts them.
  OutputSpec& output(int i) { return outputs.at(static_cast<std::size_t>(i - 1)); }
  const OutputSpec& output(int i) const { return outputs.at(static_cast<std::size_t>(i - 1)); }
};

}  // namespace flyback
