#pragma once

// The small-signal model of the current-mode flyback stage at one operating
// point: output volts per volt at the controller's feedback pin. docs/loop.md
// gives every formula with its source, assumptions and known error.
//   Boundary (free running): P = I_pk·U/(2·k_T·(1 + U/U_refl)) grows with I_pk,
//     so U_out ∝ √I_pk: G0 = k_i·U_out/(2·I_pk).
//   Discontinuous at fixed frequency: P = ½·L·I_pk²·f, U_out ∝ I_pk:
//     G0 = k_i·U_out/I_pk.
//   Both: the stage is a power source whose output resistance beside the
//     load leaves R_s = R/2 across the capacitors.
//   Continuous: G0 = k_i·R·N·(1 − D)/(1 + D), R_s = R/(1 + D),
//     right-half-plane zero R·(1 − D)²·N²/(2π·D·L), and the sampling double
//     pole at f_sw/2 with Q = 1/(π·(m_c·(1 − D) − 0.5)).
//   Every mode: the ESR zero 1/(2π·ESR·C_1) of output 1's capacitor C_1, and
//     one load pole 1/(2π·(R_s·C + ESR·C_1)), C every output's capacitor
//     referred to output 1 (1/(2π·C·(R_s + ESR)) with one output).
// k_i (A/V) is the peak current per feedback-pin volt, N = n_prim/n_1.

#include "engine/loop/bode_terms.h"
#include "engine/loop/loop_assumptions.h"
#include "engine/loop/regulated_output.h"
#include "engine/losses/switching_point.h"

namespace flyback {

struct PowerStageModel {
  SwitchingMode mode = SwitchingMode::kBoundary;
  double f_sw_Hz = 0;
  double duty = 0;        // t_on/T
  double R_load_ohm = 0;  // Ω, the load seen at output 1
  double G0 = 0;          // V/V, output 1 per feedback-pin volt at DC
  double f_load_pole_Hz = 0;
  double f_esr_zero_Hz = 0;
  double f_rhp_zero_Hz = 0;  // 0 where there is none (not continuous)
  double Q_sampling = 0;     // 0 where there is none (not continuous)
  // A, what the controller's comparator must reach at the end of the on
  // time: the peak current, plus the slope ramp in continuous operation;
  // and the current limit the current-sense threshold stands for.
  double I_control_A = 0;
  double I_limit_A = 0;
};

// The stage at the switching point `p` delivering `load_share` (0 ... 1) of
// full output power into `out`. I_limit_A is the peak current the
// current-sense threshold stands for.
PowerStageModel PowerStageAt(const SwitchingPoint& p, double load_share, const RegulatedOutput& out,
                             double I_limit_A, const LoopAssumptions& a);

// A/V, peak primary current per volt at the feedback pin.
double CurrentPerFeedbackVolt(double I_limit_A, const LoopAssumptions& a);

GainPhase PowerStageResponse(const PowerStageModel& m, double f_Hz);

}  // namespace flyback
