#include "engine/loop/power_stage_model.h"

#include <numbers>

#include "base/numbers/units.h"

namespace flyback {

namespace {

constexpr double kFaradPerMicrofarad = 1e-6;
constexpr double kHertzPerPerMicrosecond = 1e6;

// Hz, the corner of a time constant R·C (Ω, µF) times `factor`.
double CornerOf(double factor, double R_ohm, double C_uF) {
  return factor / (2 * std::numbers::pi * R_ohm * C_uF * kFaradPerMicrofarad);
}

void SetContinuous(const SwitchingPoint& p, const RegulatedOutput& out, double k_i,
                   const LoopAssumptions& a, PowerStageModel& m) {
  const double D = m.duty;
  const double N = out.turns_ratio;
  const double R = m.R_load_ohm;
  m.G0 = k_i * R * N * (1 - D) / (1 + D);
  m.f_load_pole_Hz = CornerOf(1 + D, R, out.C_total_uF);
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
  m.f_esr_zero_Hz = CornerOf(1, out.ESR_ohm, out.C_own_uF);
  const double k_i = CurrentPerFeedbackVolt(I_limit_A, a);
  m.I_control_A = p.I_pk_A;
  m.I_limit_A = I_limit_A;
  switch (p.mode) {
    case SwitchingMode::kBoundary:
      m.G0 = k_i * out.U_V / (2 * p.I_pk_A);
      m.f_load_pole_Hz = CornerOf(2, m.R_load_ohm, out.C_total_uF);
      break;
    case SwitchingMode::kDiscontinuous:
      m.G0 = k_i * out.U_V / p.I_pk_A;
      m.f_load_pole_Hz = CornerOf(2, m.R_load_ohm, out.C_total_uF);
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
