#include "engine/loop/power_stage_model.h"

#include <numbers>

#include "base/numbers/units.h"

namespace flyback {

namespace {

constexpr double kFaradPerMicrofarad = 1e-6;
constexpr double kHertzPerPerMicrosecond = 1e6;

// Hz, the zero of output 1's capacitor C_1 (µF) with its ESR (Ω).
double EsrZeroOf(const RegulatedOutput& out) {
  return 1 / (2 * std::numbers::pi * out.ESR_ohm * out.C_own_uF * kFaradPerMicrofarad);
}

// Hz, the load pole. The stage is a source whose own output resistance
// R/(k − 1) lies beside the load R, k = conductance_per_load (2 in boundary
// and discontinuous operation, 1 + D in continuous): R_s = R/k lies across
// the output bank, C (every capacitor referred to output 1) with output 1's
// ESR time constant τ = ESR·C_1 (that of the ESR zero). The output
// impedance R_s·(1 + s·τ)/(1 + s·(R_s·C + τ)) puts the pole at
// 1/(2π·(R_s·C + ESR·C_1)); with one output, 1/(2π·C·(R_s + ESR)).
double LoadPoleOf(double conductance_per_load, double R_ohm, const RegulatedOutput& out) {
  const double R_s_ohm = R_ohm / conductance_per_load;
  const double tau_ohm_uF = R_s_ohm * out.C_total_uF + out.ESR_ohm * out.C_own_uF;  // µs
  return 1 / (2 * std::numbers::pi * tau_ohm_uF * kFaradPerMicrofarad);
}

void SetContinuous(const SwitchingPoint& p, const RegulatedOutput& out, double k_i,
                   const LoopAssumptions& a, PowerStageModel& m) {
  const double D = m.duty;
  const double N = out.turns_ratio;
  const double R = m.R_load_ohm;
  m.G0 = k_i * R * N * (1 - D) / (1 + D);
  m.f_load_pole_Hz = LoadPoleOf(1 + D, R, out);
  // The ripple I_pk − I_start is U_bus·t_on/L.
  const double L_H = kHenryPerMicrohenry * p.t_on_us * p.U_bus_V / (p.I_pk_A - p.I_start_A);
  m.f_rhp_zero_Hz = R * (1 - D) * (1 - D) * N * N / (2 * std::numbers::pi * D * L_H);
  // U_refl/U_bus = D/(1 − D) in continuous operation: the off-slope over the
  // on-slope.
  const double m_c = 1 + a.slope_share * D / (1 - D);
  m.Q_sampling = 1 / (std::numbers::pi * (m_c * (1 - D) - 0.5));
  // The ramp S_e·t_on, S_e = slope_share·U_refl/L, U_refl/L the off-slope
  // (I_pk − I_start)/t_off, the off time the rest of the period.
  m.I_control_A += a.slope_share * (p.I_pk_A - p.I_start_A) * p.t_on_us / (p.period_us - p.t_on_us);
}

}  // namespace

double CurrentPerFeedbackVolt(double I_limit_A, const LoopAssumptions& a) {
  return I_limit_A / (a.A_cs * a.U_cs_limit_V);
}

PowerStageModel PowerStageAt(const SwitchingPoint& p, double load_share, const RegulatedOutput& out,
                             double I_limit_A, const LoopAssumptions& a) {
  PowerStageModel m;
  m.mode = p.mode;
  m.f_sw_Hz = kHertzPerPerMicrosecond / p.period_us;
  m.duty = p.t_on_us / p.period_us;
  m.R_load_ohm = LoadResistance(out, load_share);
  m.f_esr_zero_Hz = EsrZeroOf(out);
  const double k_i = CurrentPerFeedbackVolt(I_limit_A, a);
  m.I_control_A = p.I_pk_A;
  m.I_limit_A = I_limit_A;
  switch (p.mode) {
    case SwitchingMode::kBoundary:
      m.G0 = k_i * out.U_V / (2 * p.I_pk_A);
      m.f_load_pole_Hz = LoadPoleOf(2, m.R_load_ohm, out);
      break;
    case SwitchingMode::kDiscontinuous:
      m.G0 = k_i * out.U_V / p.I_pk_A;
      m.f_load_pole_Hz = LoadPoleOf(2, m.R_load_ohm, out);
      break;
    case SwitchingMode::kContinuous:
      SetContinuous(p, out, k_i, a, m);
      break;
  }
  return m;
}

GainPhase PowerStageResponse(const PowerStageModel& m, double f_Hz) {
  GainPhase h = Factor(m.G0) + LeftPole(f_Hz, m.f_load_pole_Hz) + LeftZero(f_Hz, m.f_esr_zero_Hz);
  if (m.f_rhp_zero_Hz > 0) h = h + RightZero(f_Hz, m.f_rhp_zero_Hz);
  if (m.Q_sampling > 0) h = h + DoublePole(f_Hz, m.f_sw_Hz / 2, m.Q_sampling);
  return h;
}

}  // namespace flyback
